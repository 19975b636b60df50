#pragma once

#include <initializer_list>

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/properties/com_item.h"
#include "veltutil/properties/property_item.h"
#include "veltutil/properties/property_list.h"

class Ptr;
class CSpiceArgs;
class CAsys;

// The tagged value in which every property, command and event argument crosses a component
// boundary: nothing, one scalar, or an array of one element type. A getter of the wrong type
// answers null; nothing else reports a mismatch.
class VELTUTIL_API OrvVariant {
public:
    enum Type {
        VarNone = 0,
        VarLong = 1,
        VarDouble = 2,
        // No setter produces it; CheckType reads it as "any type" so that callers can leave
        // trailing places unchecked.
        VarReserved3 = 3,
        VarString = 4,
        VarPtr = 5,
        VarVariant = 6,
        VarComItem = 7,
        VarSpiceArgs = 8,
        VarAsys = 9,
        VarPropertyList = 10,
        VarPropertyItem = 11,
    };

    OrvVariant() = default;
    OrvVariant(long v) { SetValue(v); }
    // An int literal would otherwise be ambiguous between long and double; it is a long.
    OrvVariant(int v) { SetValue(static_cast<long>(v)); }
    OrvVariant(double v) { SetValue(v); }
    OrvVariant(const CString& s) { SetValue(s); }
    OrvVariant(const char* s) { SetValue(s); }
    OrvVariant(Ptr* p, long size) { SetValue(p, size); }
    OrvVariant(const ComItem& item) { SetValue(item); }
    OrvVariant(CSpiceArgs* p) { SetValue(p); }
    OrvVariant(CAsys* p) { SetValue(p); }
    OrvVariant(const CPropertyList& list) { SetValue(list); }
    OrvVariant(const CPropertyItem& item) { SetValue(item); }
    OrvVariant(CTreeLog* p) { SetValue(p); }
    OrvVariant(CGrapherSource* p) { SetValue(p); }
    OrvVariant(CEventSource* p) { SetValue(p); }
    OrvVariant(CEventSink* p) { SetValue(p); }
    OrvVariant(CInstrumentInterface* p) { SetValue(p); }
    OrvVariant(CGuiFE* p) { SetValue(p); }
    OrvVariant(const OrvVariant& other) { SetValue(other); }
    OrvVariant(Type t, long count, void* data) { SetValue(t, count, data, 0); }
    OrvVariant& operator=(const OrvVariant& other) {
        SetValue(other);
        return *this;
    }
    ~OrvVariant() { SetValue(); }

    void SetValue();
    void SetValue(long v) {
        SetValue();
        type_ = VarLong;
        scalar_.l = v;
    }
    void SetValue(int v) { SetValue(static_cast<long>(v)); }
    void SetValue(double v) {
        SetValue();
        type_ = VarDouble;
        scalar_.d = v;
    }
    void SetValue(const CString& s);
    void SetValue(const char* s);
    void SetValue(Ptr* p, long size);
    void SetValue(CSpiceArgs* p);
    void SetValue(CAsys* p);
    void SetValue(const CPropertyList& list);
    void SetValue(const CPropertyItem& item);
    void SetValue(const ComItem& item);
    void SetValue(CTreeLog* p);
    void SetValue(CGrapherSource* p);
    void SetValue(CEventSource* p);
    void SetValue(CEventSink* p);
    void SetValue(CInstrumentInterface* p);
    void SetValue(CGuiFE* p);
    // With data non-null the variant borrows the caller's array and never frees or writes it.
    // With data null it owns an array of count elements; when that cannot be allocated (a
    // count too large included), it is a scalar of code t without a value.
    void SetValue(Type t, long count, void* data, long elementSize);
    // A scalar of code 3 or 6 carries no value: copying one leaves this variant unchanged.
    void SetValue(const OrvVariant& other);
    void SetArray(const OrvVariant& a1);
    void SetArray(const OrvVariant& a1, const OrvVariant& a2);
    void SetArray(const OrvVariant& a1, const OrvVariant& a2, const OrvVariant& a3);
    void SetArray(const OrvVariant& a1, const OrvVariant& a2, const OrvVariant& a3,
                  const OrvVariant& a4);
    void SetArray(const OrvVariant& a1, const OrvVariant& a2, const OrvVariant& a3,
                  const OrvVariant& a4, const OrvVariant& a5);
    void SetArray(const OrvVariant& a1, const OrvVariant& a2, const OrvVariant& a3,
                  const OrvVariant& a4, const OrvVariant& a5, const OrvVariant& a6);
    void SetSizeOfBinaryObject(long size) { elementSize_ = size; }

    long* GetInt() { return Scalar(VarLong, &scalar_.l); }
    const long* GetInt() const { return Scalar(VarLong, &scalar_.l); }
    double* GetDouble() { return Scalar(VarDouble, &scalar_.d); }
    const double* GetDouble() const { return Scalar(VarDouble, &scalar_.d); }
    CString* GetString() { return Scalar(VarString, &text_); }
    const CString* GetString() const { return Scalar(VarString, &text_); }
    CString* GetCString() { return GetString(); }
    const CString* GetCString() const { return GetString(); }
    Ptr** GetPtr() { return Scalar(VarPtr, &scalar_.ptr); }
    Ptr* const* GetPtr() const { return Scalar(VarPtr, &scalar_.ptr); }
    ComItem* GetComItem() { return Scalar(VarComItem, &item_); }
    const ComItem* GetComItem() const { return Scalar(VarComItem, &item_); }
    CSpiceArgs** GetSpiceArgsPtr() { return Scalar(VarSpiceArgs, &scalar_.spiceArgs); }
    CSpiceArgs* const* GetSpiceArgsPtr() const { return Scalar(VarSpiceArgs, &scalar_.spiceArgs); }
    CAsys** GetAsysPtr() { return Scalar(VarAsys, &scalar_.asys); }
    CAsys* const* GetAsysPtr() const { return Scalar(VarAsys, &scalar_.asys); }
    CPropertyList* GetPropertyList() { return Scalar(VarPropertyList, &propertyList_); }
    const CPropertyList* GetPropertyList() const { return Scalar(VarPropertyList, &propertyList_); }
    CPropertyItem* GetPropertyItem() { return Scalar(VarPropertyItem, &propertyItem_); }
    const CPropertyItem* GetPropertyItem() const { return Scalar(VarPropertyItem, &propertyItem_); }

    long* GetIntArray() { return Array<long>(VarLong); }
    const long* GetIntArray() const { return Array<long>(VarLong); }
    double* GetDoubleArray() { return Array<double>(VarDouble); }
    const double* GetDoubleArray() const { return Array<double>(VarDouble); }
    CString* GetStringArray() { return Array<CString>(VarString); }
    const CString* GetStringArray() const { return Array<CString>(VarString); }
    CString* GetCStringArray() { return GetStringArray(); }
    const CString* GetCStringArray() const { return GetStringArray(); }
    Ptr** GetPtrArray() { return Array<Ptr*>(VarPtr); }
    Ptr* const* GetPtrArray() const { return Array<Ptr*>(VarPtr); }
    OrvVariant* GetOrvVariantArray() { return Array<OrvVariant>(VarVariant); }
    const OrvVariant* GetOrvVariantArray() const { return Array<OrvVariant>(VarVariant); }
    ComItem* GetComItemArray() { return Array<ComItem>(VarComItem); }
    const ComItem* GetComItemArray() const { return Array<ComItem>(VarComItem); }
    CSpiceArgs** GetSpiceArgsPtrArray() { return Array<CSpiceArgs*>(VarSpiceArgs); }
    CSpiceArgs* const* GetSpiceArgsPtrArray() const { return Array<CSpiceArgs*>(VarSpiceArgs); }
    CAsys** GetAsysPtrArray() { return Array<CAsys*>(VarAsys); }
    CAsys* const* GetAsysPtrArray() const { return Array<CAsys*>(VarAsys); }
    CPropertyList* GetPropertyListArray() { return Array<CPropertyList>(VarPropertyList); }
    const CPropertyList* GetPropertyListArray() const { return Array<CPropertyList>(VarPropertyList); }
    CPropertyItem* GetPropertyItemArray() { return Array<CPropertyItem>(VarPropertyItem); }
    const CPropertyItem* GetPropertyItemArray() const { return Array<CPropertyItem>(VarPropertyItem); }

    Type GetType() const { return type_; }
    long GetCount() const { return count_; }
    int HasType(Type t, int isArray) const {
        return type_ == t && (array_ != nullptr) == (isArray != 0) ? 1 : 0;
    }
    operator int() const { return type_ != VarNone ? 1 : 0; }
    // Outside an array of variants, or out of range: the library's one shared empty variant.
    OrvVariant& operator[](int i);
    const OrvVariant& operator[](int i) const;
    int CheckType(Type t1, Type t2 = VarReserved3, Type t3 = VarReserved3, Type t4 = VarReserved3,
                  Type t5 = VarReserved3, Type t6 = VarReserved3, Type t7 = VarReserved3,
                  Type t8 = VarReserved3, Type t9 = VarReserved3, Type t10 = VarReserved3) const;
    long GetSizeOfBinaryObject() const { return elementSize_; }
    void SaveVariant(CString path);

private:
    template <class T>
    T* Scalar(Type t, T* value) const {
        return type_ == t && !array_ ? value : nullptr;
    }
    template <class T>
    T* Array(Type t) const {
        return type_ == t ? static_cast<T*>(array_) : nullptr;
    }
    bool OwnsArray() const { return array_ && !external_; }
    template <class T>
    void SetObject(Type t, T OrvVariant::*member, const T& value);
    template <class T>
    void SetTarget(T* p);
    void SetArrayOf(std::initializer_list<const OrvVariant*> values);

    Type type_ = VarNone;
    long count_ = -1;
    void* external_ = nullptr;
    union ScalarValue {
        long l;
        double d;
        Ptr* ptr;
        CSpiceArgs* spiceArgs;
        CAsys* asys;
    } scalar_ = {0};
    ComItem item_;
    CString text_;
    CPropertyItem propertyItem_;
    CPropertyList propertyList_;
    void* array_ = nullptr;
    long elementSize_ = 0;
};
