#pragma once

#include <QString>

namespace tallyro {

// A part of the program kept in a module of its own, read the first time it
// is needed: the module "name" is tallyro-<name>.so beside the program (a
// build tree) or in ../lib/tallyro/modules/ from it (an installed program).
// Returns the address of symbol, or nothing with the reason in problem. A
// module once read stays for the run; asking again finds it loaded.
void* onDemandSymbol(const QString& name, const char* symbol, QString& problem);

} // namespace tallyro
