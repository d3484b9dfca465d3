#include "platform/posix/path.h"

namespace qdbupd::platform {

std::string ToPosixPath(const char* path) {
  std::string result = path != nullptr ? path : "";
  for (char& c : result) {
    if (c == '\\') c = '/';
  }
  return result;
}

}  // namespace qdbupd::platform
