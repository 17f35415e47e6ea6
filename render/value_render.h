// Turning a WMI property value (a VARIANT) into the one line of text the lists show,
// and naming VARIANT types for the Type column.
#pragma once
#include <oaidl.h>
#include <wbemcli.h>

#include <string>
#include <string_view>

// Formats `value` by its type (scalars and one-dimensional arrays, "[ a, b, c ]"), passing
// each scalar or element text through DecodePropertyValue. `text` is replaced. Returns 0
// when the text is non-empty, -1 when the value has nothing to show.
// `host` is the computer the value was read from (empty: the local computer). `cimType`
// is the property's CIM type as WMI names it (0 when unknown): WMI delivers uint32 values
// as VT_I4, and they are shown as the unsigned numbers they are.
int RenderPropertyValue(const VARIANT& value, std::string& text, int classId,
                        const wchar_t* propertyName, std::string_view host = {}, CIMTYPE cimType = 0);

// The type a value of VARIANT type `delivered` (the element type for arrays) is read as,
// given its property's CIM type: VT_UI4 for a uint32 that came as VT_I4, else `delivered`.
VARTYPE IntegerTypeOf(VARTYPE delivered, CIMTYPE cimType);

// "VT_BSTR", "VT_ARRAY[VT_I4]", ... for the type with all its flags; "<Unknown>" for others.
std::string VarTypeText(VARTYPE type);
