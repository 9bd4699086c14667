#pragma once
// The dispatch identifiers of the type library as the COM shell names them (their one source
// is compositor/interface/lumo_dispids.h, which lumoscope.idl includes).
#include "compositor/interface/lumo_dispids.h"

namespace lumo::com {

using lumo::DispId;
using lumo::EventId;

}  // namespace lumo::com
