#include "compositor/dispatch_args/arg_model.h"

namespace lumo::dispatch {

std::size_t scalarSize(VarType t) {
    switch (t) {
        case VarType::I1: case VarType::UI1: return 1;
        case VarType::I2: case VarType::UI2: case VarType::Bool: return 2;
        case VarType::I4: case VarType::UI4: case VarType::Int: case VarType::UInt: case VarType::R4:
        case VarType::Error: return 4;
        case VarType::I8: case VarType::UI8: case VarType::R8: case VarType::Currency: case VarType::Date: return 8;
        default: return 0;
    }
}

bool storable(VarType t) { return t == VarType::String || t == VarType::Decimal || scalarSize(t) != 0; }

}  // namespace lumo::dispatch
