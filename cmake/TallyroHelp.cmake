# The help collection is compiled here once the help pages exist.
