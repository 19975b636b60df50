#include "veltutil/properties/property_item.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "veltutil/properties/property_list.h"
#include "veltutil/properties/internal/property_text.h"
#include "veltutil/properties/internal/property_tree.h"

using veltutil::detail::PropertyAccess;
namespace text = veltutil::detail;

namespace {

CString escaped(std::string_view value) {
    std::string out;
    text::appendEscaped(out, value);
    return CString(std::move(out));
}

CString unescaped(std::string_view value) {
    std::string out;
    text::appendUnescaped(out, value);
    return CString(std::move(out));
}

CString stringArray(const char* const* a, int n) {
    return CString(text::arrayText(a, n, [](std::string& out, const char* s) {
        if (s) text::appendEscaped(out, s);
    }));
}

template <class Integer>
CString integerArray(const Integer* a, int n) {
    return CString(text::arrayText(a, n, [](std::string& out, Integer v) { text::appendLong(out, static_cast<long>(v)); }));
}

char* copyOf(const CString& s, int dup) {
    if (dup) return strdup(s.GetString());
    auto* copy = new char[static_cast<std::size_t>(s.GetLength()) + 1];
    std::memcpy(copy, s.GetString(), static_cast<std::size_t>(s.GetLength()) + 1);
    return copy;
}

}  // namespace

CPropertyItem::CPropertyItem() = default;

CPropertyItem::CPropertyItem(const CString& itemText) {
    text::ItemFields fields = text::parseItem(text::BraceMatcher{itemText.view()}, 0, itemText.str().size());
    *this = CPropertyItem(FromFields{}, fields.label, fields.type, fields.value);
}

CPropertyItem::CPropertyItem(const CString& label, const CString& type, const CString& value)
    : label_(label), type_(type), value_(value) {}

CPropertyItem::CPropertyItem(FromFields, std::string_view label, std::string_view type, std::string_view value,
                             const char* kept)
    : label_(label), type_(type), value_(kept ? std::string_view() : value), valueText_(kept) {}

CPropertyItem::CPropertyItem(const CString& label, const CString& s)
    : label_(label), type_("string"), value_(escaped(s.view())) {}

CPropertyItem::CPropertyItem(const CString& label, const CPropertyList& list)
    : label_(label), type_("list"), list_(PropertyAccess::clone(list)) {}

CPropertyItem::CPropertyItem(const CString& label, CPropertyList&& list)
    : label_(label), type_("list"), list_(new CPropertyList(std::move(list))) {}

CPropertyItem::CPropertyItem(const CString& label, long v) : label_(label), type_("long") {
    text::appendLong(value_.str(), v);
}

CPropertyItem::CPropertyItem(const CString& label, PI_FLAG_T) : label_(label), type_("flag") {}

CPropertyItem::CPropertyItem(const CString& label, PI_BOOL b) : label_(label), type_("bool") {
    text::appendLong(value_.str(), b);
}

CPropertyItem::CPropertyItem(const CString& label, double v) : label_(label), type_("double") {
    text::appendDouble(value_.str(), v);
}

CPropertyItem::CPropertyItem(const CString& label, const double* a, int n)
    : label_(label),
      type_("double[]"),
      value_(text::arrayText(a, n, [](std::string& out, double v) { text::appendDouble(out, v); })) {}

CPropertyItem::CPropertyItem(const CString& label, const CString* a, int n)
    : label_(label),
      type_("string[]"),
      value_(text::arrayText(a, n, [](std::string& out, const CString& s) { text::appendEscaped(out, s.view()); })) {}

CPropertyItem::CPropertyItem(const CString& label, const char* const* a, int n)
    : label_(label), type_("string[]"), value_(stringArray(a, n)) {}

CPropertyItem::CPropertyItem(const CString& label, char* const* a, int n)
    : label_(label), type_("string[]"), value_(stringArray(a, n)) {}

CPropertyItem::CPropertyItem(const CString& label, const long* a, int n)
    : label_(label), type_("long[]"), value_(integerArray(a, n)) {}

CPropertyItem::CPropertyItem(const CString& label, const int* a, int n)
    : label_(label), type_("long[]"), value_(integerArray(a, n)) {}

CPropertyItem::CPropertyItem(const CString& label, const PI_BOOL* a, int n)
    : label_(label), type_("bool[]"), value_(integerArray(a, n)) {}

CPropertyItem::CPropertyItem(const CPropertyItem& other)
    : label_(other.label_),
      type_(other.type_),
      value_(other.storedView()),
      list_(other.list_ ? PropertyAccess::clone(*other.list_) : nullptr) {}

CPropertyItem::CPropertyItem(CPropertyItem&& other) noexcept
    : label_(std::move(other.label_)), type_(std::move(other.type_)), list_(std::exchange(other.list_, nullptr)) {
    takeValue(other);
}

CPropertyItem& CPropertyItem::operator=(const CPropertyItem& other) {
    if (this != &other) *this = CPropertyItem(other);
    return *this;
}

CPropertyItem& CPropertyItem::operator=(CPropertyItem&& other) noexcept {
    if (this == &other) return *this;
    // `other` may live inside our own nested list: take its contents before freeing that list.
    CPropertyList* old = std::exchange(list_, std::exchange(other.list_, nullptr));
    label_ = std::move(other.label_);
    type_ = std::move(other.type_);
    takeValue(other);
    if (old) PropertyAccess::destroy(old);
    return *this;
}

CPropertyItem::~CPropertyItem() {
    if (list_) PropertyAccess::destroy(list_);
}

int CPropertyItem::IsEmpty() const { return text::trim(label_.view()).empty(); }

const CString& CPropertyItem::GetValue() const {
    if (valueText_) {
        value_ = CString(storedView());
        valueText_ = nullptr;
    } else if (list_ && value_.IsEmpty()) {
        PropertyAccess::appendListText(value_.str(), *list_);
    }
    return value_;
}

std::string_view CPropertyItem::storedView() const { return PropertyAccess::storedValue(*this); }

std::string_view CPropertyItem::valueView() const {
    return list_ && !valueText_ && value_.IsEmpty() ? GetValue().view() : storedView();
}

// Moving never allocates but for a value kept in other's node, which must be copied before the
// node goes; running out of memory there ends the program, as in any noexcept move.
void CPropertyItem::takeValue(CPropertyItem& other) {
    if (other.valueText_) {
        value_ = CString(other.storedView());
        other.valueText_ = nullptr;
    } else {
        value_ = std::move(other.value_);
    }
    valueText_ = nullptr;
}

CString CPropertyItem::GetField() const {
    std::string out;
    PropertyAccess::appendField(out, *this);
    return CString(std::move(out));
}

CPropertyItem::Type CPropertyItem::GetTypeOfValue() const {
    if (label_.IsEmpty() || type_.IsEmpty()) return TYPE_NONE;
    static constexpr std::pair<std::string_view, Type> names[] = {
        {"long", TYPE_LONG},           {"flag", TYPE_FLAG},
        {"bool", TYPE_BOOL},           {"double", TYPE_DOUBLE},
        {"string", TYPE_STRING},       {"list", TYPE_LIST},
        {"long[]", TYPE_LONG_ARRAY},   {"bool[]", TYPE_BOOL_ARRAY},
        {"double[]", TYPE_DOUBLE_ARRAY}, {"string[]", TYPE_STRING_ARRAY},
    };
    for (const auto& [name, code] : names) {
        if (type_.view() == name) return code;
    }
    return TYPE_OTHER;
}

long CPropertyItem::GetInt() const { return text::toLong(valueView()); }

double CPropertyItem::GetDouble() const { return text::toDouble(valueView()); }

CPropertyItem::PI_BOOL CPropertyItem::GetBool() const { return GetInt() != 0 ? PI_TRUE : PI_FALSE; }

CString CPropertyItem::GetString() const { return unescaped(valueView()); }

const CPropertyList& CPropertyItem::GetPropertyList() const {
    if (!list_) {
        auto* parsed = new CPropertyList;
        PropertyAccess::appendParsed(*parsed, storedView());
        list_ = parsed;
    }
    return *list_;
}

long CPropertyItem::GetArrayCount() const {
    switch (GetTypeOfValue()) {
    case TYPE_LONG_ARRAY:
    case TYPE_BOOL_ARRAY:
    case TYPE_DOUBLE_ARRAY:
    case TYPE_STRING_ARRAY: return text::countListItems(valueView());
    default: return -1;
    }
}

template <class Element, class Store>
void CPropertyItem::writeElements(Element* out, Store store) const {
    if (!out) return;
    text::ListReader reader(valueView());
    text::ItemFields element;
    for (std::size_t i = 0; reader.next(element); ++i) store(out[i], element.value);
}

void CPropertyItem::WriteToArray(long* out) const {
    writeElements(out, [](long& slot, std::string_view v) { slot = text::toLong(v); });
}

void CPropertyItem::WriteToArray(int* out) const {
    writeElements(out, [](int& slot, std::string_view v) { slot = static_cast<int>(text::toLong(v)); });
}

void CPropertyItem::WriteToArray(PI_BOOL* out) const {
    writeElements(out, [](PI_BOOL& slot, std::string_view v) { slot = text::toLong(v) != 0 ? PI_TRUE : PI_FALSE; });
}

void CPropertyItem::WriteToArray(double* out) const {
    writeElements(out, [](double& slot, std::string_view v) { slot = text::toDouble(v); });
}

void CPropertyItem::WriteToArray(CString* out) const {
    writeElements(out, [](CString& slot, std::string_view v) { slot = unescaped(v); });
}

void CPropertyItem::WriteToArray(const char** out, int dup) const {
    writeElements(out, [dup](const char*& slot, std::string_view v) { slot = copyOf(unescaped(v), dup); });
}

void CPropertyItem::WriteToArray(char** out, int dup) const {
    writeElements(out, [dup](char*& slot, std::string_view v) { slot = copyOf(unescaped(v), dup); });
}

void CPropertyItem::SaveItem(const char* path) const {
    std::FILE* file = path ? std::fopen(path, "w") : nullptr;
    if (!file) return;
    Type type = GetTypeOfValue();
    CString content = type == TYPE_STRING ? GetString() : type == TYPE_LIST ? GetValue() : CString();
    if (type == TYPE_STRING || type == TYPE_LIST) {
        std::fwrite(content.GetString(), 1, static_cast<std::size_t>(content.GetLength()), file);
        std::fputc('\n', file);
    }
    std::fclose(file);
}
