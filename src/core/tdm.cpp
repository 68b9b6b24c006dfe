#include "tdm.h"

namespace core {

TDM::TDM() = default;

} // namespace core
