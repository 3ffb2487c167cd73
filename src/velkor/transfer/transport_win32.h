// The real devices: serial ports through the communications API, USB through the
// transfer library ornio.dll (linked at load time), and the system tick count.
#pragma once

#include <memory>

#include "velkor/transfer/devices.h"

namespace transfer {

std::unique_ptr<Transport> MakeWin32Transport();

}  // namespace transfer
