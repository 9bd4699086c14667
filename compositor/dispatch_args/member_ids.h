#pragma once
// The members' dispatch identifiers as the argument library names them (their one source is
// compositor/interface/lumo_dispids.h).
#include "compositor/interface/lumo_dispids.h"

namespace lumo::dispatch {

using DispId = lumo::DispId;

}  // namespace lumo::dispatch
