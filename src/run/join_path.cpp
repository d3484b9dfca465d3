#include "run/join_path.h"

namespace qdbupd {

std::string JoinPath(const std::string& base, const std::string& name) {
  if (base.empty()) return name;
  if (name.empty()) return base;
  std::string path = base;
  if (path.back() == '"') path.pop_back();
  if ((path.empty() || path.back() != '\\') && name.front() != '\\') {
    path += '\\';
  }
  path += name;
  if (path.front() == '"') path += '"';
  return path;
}

}  // namespace qdbupd
