// 32-bit status values shared with the product's setup library.  Windows
// error codes travel in the same channel; 0 is success everywhere.

#ifndef QDBUPD_RUN_SETUP_STATUS_H_
#define QDBUPD_RUN_SETUP_STATUS_H_

#include <cstdint>

namespace qdbupd {

using SetupStatus = uint32_t;

constexpr SetupStatus kSetupSuccess = 0x20000000u;
constexpr SetupStatus kSetupSuccessOther = 0x20000001u;
constexpr SetupStatus kSetupBusy = 0x2000000Au;
constexpr SetupStatus kSetupSignatureInvalid = 0x2000000Bu;
constexpr SetupStatus kSetupDataInvalid = 0x20000011u;

}  // namespace qdbupd

#endif  // QDBUPD_RUN_SETUP_STATUS_H_
