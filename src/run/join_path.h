// Joining a folder and a file name the way every path of a run is built.

#ifndef QDBUPD_RUN_JOIN_PATH_H_
#define QDBUPD_RUN_JOIN_PATH_H_

#include <string>

namespace qdbupd {

// Joins base and name with one backslash.  An empty base gives name, an
// empty name gives base.  A base enclosed in double quotes gives a path
// enclosed in double quotes (the closing quote moves behind the name).  No
// backslash is ever removed: a base ending in one and a name starting with
// one give two.
std::string JoinPath(const std::string& base, const std::string& name);

}  // namespace qdbupd

#endif  // QDBUPD_RUN_JOIN_PATH_H_
