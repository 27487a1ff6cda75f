// The definitions of the built-in types, made once in the library (their members are in ParamDef.h,
// where a host's own described type finds them too).
#include "ParamDef.h"

#define PARAM_INSTANTIATE_SCALAR(T) template class CScalarParamDef<T>;
#define PARAM_INSTANTIATE_LIST(T) template class CListParamDef<T>;
PARAM_SCALAR_TYPES(PARAM_INSTANTIATE_SCALAR)
PARAM_SCALAR_TYPES(PARAM_INSTANTIATE_LIST)
template class CListParamDef<std::string>;
