# Packaging: CPack settings and the install rules of the package.
