#include "veltutil/framework/gui_fe.h"
#include "veltutil/framework/internal/tone.h"
#include "veltutil/properties/variant.h"

namespace {

// Numbered properties of the front end.
constexpr long kPropertyText = 10006;
constexpr long kPropertyTextAlso = 10008;
constexpr long kPropertyEcho = 10009;
constexpr long kPropertyTextCheck = 10010;
constexpr long kPropertyHostQuery = 10018;
constexpr long kPropertyHostCommand = 10019;
constexpr long kPropertyToneStart = 10053;
constexpr long kPropertyToneStop = 10054;

const CString* textOf(const OrvVariant* variant) { return variant != nullptr ? variant->GetString() : nullptr; }

}  // namespace

long CGuiFE::GetProperty(long id, OrvVariant& value, const OrvVariant* in, CTreeInstance*) {
    const CString* inText = textOf(in);
    switch (id) {
    case kPropertyText:
    case kPropertyTextAlso:
        value.SetValue(CString());
        if (inText == nullptr) return S_FALSE;
        value.SetValue(*inText);
        return S_OK;
    case kPropertyEcho:
        if (inText == nullptr) return S_FALSE;
        value.SetValue(*inText);
        return S_OK;
    case kPropertyTextCheck:
        value.SetValue(CString());
        return inText != nullptr ? S_OK : S_FALSE;
    case kPropertyHostQuery: {
        value.SetValue(CString());
        if (in == nullptr || in->GetOrvVariantArray() == nullptr || in->GetCount() < 3 ||
            !in->CheckType(OrvVariant::VarString, OrvVariant::VarLong, OrvVariant::VarString)) {
            return S_FALSE;
        }
        CString result;
        if (!HostQuery(result, *(*in)[0].GetString(), *(*in)[1].GetInt(), *(*in)[2].GetString())) return S_FALSE;
        value.SetValue(result);
        return S_OK;
    }
    default:
        return S_FALSE;
    }
}

long CGuiFE::SetProperty(long id, const OrvVariant& value, const OrvVariant* in, CTreeInstance*) {
    switch (id) {
    case kPropertyTextCheck:
        return value.GetString() != nullptr && textOf(in) != nullptr ? S_OK : S_FALSE;
    case kPropertyHostCommand: {
        const long* inNumber = in != nullptr ? in->GetInt() : nullptr;
        long number = inNumber != nullptr ? *inNumber : 0;
        const CString* text = value.GetString();
        if (text == nullptr || number < 0) return S_FALSE;
        CString command(*text);
        if (!HostCommand(number, command)) return S_FALSE;
        YieldTime(0);
        return S_OK;
    }
    case kPropertyToneStart:
        // A frequency must be positive to be heard; anything else starts nothing.
        if (const long* frequency = value.GetInt(); frequency != nullptr && *frequency > 0) {
            veltutil::detail::Tone::Global().Start(static_cast<DWORD>(*frequency));
        }
        return S_FALSE;
    case kPropertyToneStop:
        veltutil::detail::Tone::Global().Stop();
        return S_FALSE;
    default:
        return S_FALSE;
    }
}
