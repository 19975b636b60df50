#pragma once

#include <string_view>

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cstring.h"

class CPropertyList;

namespace veltutil::detail {
struct PropertyAccess;
}

// One named, typed value, held as text: `label:type{value}`. String values are stored escaped
// ("\" as "\\", "{" as "\(", "}" as "\)"), so raw braces in any text form always nest.
//
// Nested lists (type "list") may be arbitrarily deep: copying, destroying and writing an item
// never recurse, so depth is bounded by memory only.
class VELTUTIL_API CPropertyItem {
public:
    enum Type {
        TYPE_NONE = 0,
        TYPE_OTHER = 1,
        TYPE_LONG = 2,
        TYPE_FLAG = 3,
        TYPE_BOOL = 4,
        TYPE_DOUBLE = 5,
        TYPE_STRING = 6,
        TYPE_LIST = 7,
        TYPE_LONG_ARRAY = 8,
        TYPE_BOOL_ARRAY = 9,
        TYPE_DOUBLE_ARRAY = 10,
        TYPE_STRING_ARRAY = 11,
    };
    enum PI_BOOL { PI_FALSE = 0, PI_TRUE = 1 };
    enum PI_FLAG_T { PI_FLAG };

    CPropertyItem();
    // Parses one item text; a text without a label gives an empty item.
    explicit CPropertyItem(const CString& text);
    // Stores type and value as given (the value is not escaped).
    CPropertyItem(const CString& label, const CString& type, const CString& value);
    CPropertyItem(const CString& label, const CString& s);
    CPropertyItem(const CString& label, const CPropertyList& list);
    // Takes the list over without copying it.
    CPropertyItem(const CString& label, CPropertyList&& list);
    CPropertyItem(const CString& label, long v);
    CPropertyItem(const CString& label, PI_FLAG_T);
    CPropertyItem(const CString& label, PI_BOOL b);
    CPropertyItem(const CString& label, double v);
    CPropertyItem(const CString& label, const double* a, int n);
    CPropertyItem(const CString& label, const CString* a, int n);
    CPropertyItem(const CString& label, const char* const* a, int n);
    CPropertyItem(const CString& label, char* const* a, int n);
    CPropertyItem(const CString& label, const long* a, int n);
    CPropertyItem(const CString& label, const int* a, int n);
    CPropertyItem(const CString& label, const PI_BOOL* a, int n);

    CPropertyItem(const CPropertyItem& other);
    CPropertyItem(CPropertyItem&& other) noexcept;
    CPropertyItem& operator=(const CPropertyItem& other);
    CPropertyItem& operator=(CPropertyItem&& other) noexcept;
    ~CPropertyItem();

    int IsEmpty() const;
    const CString& GetLabel() const { return label_; }
    const CString& GetType() const { return type_; }
    void ChangeLabel(const CString& label) { label_ = label; }
    // For an item built from a list, the list's text form, computed on the first call and kept;
    // for a long value read from a text, a CString of it, made on the first call.
    const CString& GetValue() const;
    CString GetField() const;
    Type GetTypeOfValue() const;

    long GetInt() const;
    double GetDouble() const;
    PI_BOOL GetBool() const;
    CString GetString() const;
    // The nested list, parsed from the value text on the first call and kept.
    const CPropertyList& GetPropertyList() const;

    // Array access. The caller provides room for GetArrayCount() elements (-1 for a type that
    // is not an array); strings written to char pointers are new copies: made with strdup (free
    // them with free) when `dup` is non-zero, else with new char[] (free them with delete[]).
    long GetArrayCount() const;
    void WriteToArray(long* out) const;
    void WriteToArray(int* out) const;
    void WriteToArray(PI_BOOL* out) const;
    void WriteToArray(double* out) const;
    void WriteToArray(CString* out) const;
    void WriteToArray(const char** out, int dup) const;
    void WriteToArray(char** out, int dup) const;

    // Writes a string value unescaped, or a list's text form, and a line end; other types write
    // nothing. A file that cannot be opened is skipped.
    void SaveItem(const char* path) const;

private:
    friend struct veltutil::detail::PropertyAccess;
    // For readers: the three texts as they stand in a text form. With `kept` given, the value
    // stays where it is (see valueText_) instead of being copied into value_.
    struct FromFields {};
    CPropertyItem(FromFields, std::string_view label, std::string_view type, std::string_view value,
                  const char* kept = nullptr);

    // The value text as stored, wherever it is held; and as GetValue gives it, without making
    // a CString of a kept value (a nested list's text is made and kept, as GetValue does).
    std::string_view storedView() const;
    std::string_view valueView() const;
    // Takes `other`'s value, copying it when it is kept in other's node.
    void takeValue(CPropertyItem& other);
    template <class Element, class Store>
    void writeElements(Element* out, Store store) const;

    CString label_;
    CString type_;
    mutable CString value_;
    mutable CPropertyList* list_ = nullptr;  // owned
    // A value read from a text that a CString could not hold without an allocation of its own
    // may stay in the list node that holds this item (veltutil/properties/internal/item_node.h),
    // its length in front of it; value_ is then empty. It lasts as long as this item stays in
    // its node: copies and moves take the text into their own value_, and so does GetValue.
    mutable const char* valueText_ = nullptr;
};
