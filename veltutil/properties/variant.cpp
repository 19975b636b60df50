#include "veltutil/properties/variant.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <new>

#include "veltutil/properties/internal/variant_shared.h"

namespace {

using Type = OrvVariant::Type;

long DefaultElementSize(Type t) {
    switch (t) {
    case OrvVariant::VarNone: return 0;
    case OrvVariant::VarLong: return sizeof(long);
    case OrvVariant::VarDouble: return sizeof(double);
    case OrvVariant::VarReserved3: return -1;
    case OrvVariant::VarString: return sizeof(CString);
    case OrvVariant::VarPtr: return 0;
    case OrvVariant::VarVariant: return sizeof(OrvVariant);
    case OrvVariant::VarComItem: return sizeof(ComItem);
    case OrvVariant::VarSpiceArgs:
    case OrvVariant::VarAsys: return sizeof(void*);
    case OrvVariant::VarPropertyList: return sizeof(CPropertyList);
    case OrvVariant::VarPropertyItem: return sizeof(CPropertyItem);
    }
    return 0;
}

// Null when count elements cannot be had. A count whose byte size overflows is refused before
// new[], which would throw std::bad_array_new_length for it even in its nothrow form.
template <class T>
T* NewArray(long count) {
    if (static_cast<unsigned long>(count) > static_cast<unsigned long>(PTRDIFF_MAX) / sizeof(T)) return nullptr;
    return new (std::nothrow) T[static_cast<std::size_t>(count)];
}

// Owned arrays are allocated with the element type's own new[] so that they are freed with the
// matching delete[]; a failed allocation leaves the variant a scalar without a value.
void* AllocateArray(Type t, long count) {
    switch (t) {
    case OrvVariant::VarLong: return NewArray<long>(count);
    case OrvVariant::VarDouble: return NewArray<double>(count);
    case OrvVariant::VarPtr:
    case OrvVariant::VarSpiceArgs:
    case OrvVariant::VarAsys: return NewArray<void*>(count);
    case OrvVariant::VarString: return NewArray<CString>(count);
    case OrvVariant::VarVariant: return NewArray<OrvVariant>(count);
    case OrvVariant::VarComItem: return NewArray<ComItem>(count);
    case OrvVariant::VarPropertyList: return NewArray<CPropertyList>(count);
    case OrvVariant::VarPropertyItem: return NewArray<CPropertyItem>(count);
    default: return nullptr;
    }
}

void FreeArray(Type t, void* array) {
    switch (t) {
    case OrvVariant::VarLong: delete[] static_cast<long*>(array); break;
    case OrvVariant::VarDouble: delete[] static_cast<double*>(array); break;
    case OrvVariant::VarPtr:
    case OrvVariant::VarSpiceArgs:
    case OrvVariant::VarAsys: delete[] static_cast<void**>(array); break;
    case OrvVariant::VarString: delete[] static_cast<CString*>(array); break;
    case OrvVariant::VarVariant: delete[] static_cast<OrvVariant*>(array); break;
    case OrvVariant::VarComItem: delete[] static_cast<ComItem*>(array); break;
    case OrvVariant::VarPropertyList: delete[] static_cast<CPropertyList*>(array); break;
    case OrvVariant::VarPropertyItem: delete[] static_cast<CPropertyItem*>(array); break;
    default: break;
    }
}

template <class T>
void CopyElements(void* to, const void* from, long count) {
    T* target = static_cast<T*>(to);
    const T* source = static_cast<const T*>(from);
    for (long i = 0; i < count; ++i) target[i] = source[i];
}

void CopyArray(Type t, void* to, const void* from, long count) {
    switch (t) {
    case OrvVariant::VarLong: CopyElements<long>(to, from, count); break;
    case OrvVariant::VarDouble: CopyElements<double>(to, from, count); break;
    case OrvVariant::VarPtr:
    case OrvVariant::VarSpiceArgs:
    case OrvVariant::VarAsys: CopyElements<void*>(to, from, count); break;
    case OrvVariant::VarString: CopyElements<CString>(to, from, count); break;
    case OrvVariant::VarVariant: CopyElements<OrvVariant>(to, from, count); break;
    case OrvVariant::VarComItem: CopyElements<ComItem>(to, from, count); break;
    case OrvVariant::VarPropertyList: CopyElements<CPropertyList>(to, from, count); break;
    case OrvVariant::VarPropertyItem: CopyElements<CPropertyItem>(to, from, count); break;
    default: break;
    }
}

}  // namespace

void OrvVariant::SetValue() {
    if (type_ != VarNone && count_ >= 1 && !external_) {
        FreeArray(type_, array_);
    } else if (type_ == VarComItem) {
        item_.SetValue();
    }
    type_ = VarNone;
    array_ = nullptr;
    external_ = nullptr;
    count_ = -1;
    elementSize_ = 0;
}

// The value may live inside this variant (an element of its own array, or the member being
// set); it is copied aside first whenever emptying could destroy it.
template <class T>
void OrvVariant::SetObject(Type t, T OrvVariant::*member, const T& value) {
    if (OwnsArray() || &value == &(this->*member)) {
        T keep(value);
        SetValue();
        this->*member = keep;
    } else {
        SetValue();
        this->*member = value;
    }
    type_ = t;
}

void OrvVariant::SetValue(const CString& s) { SetObject(VarString, &OrvVariant::text_, s); }

void OrvVariant::SetValue(const char* s) {
    if (OwnsArray()) {
        SetValue(CString(s));
        return;
    }
    SetValue();
    text_ = s;
    type_ = VarString;
}

void OrvVariant::SetValue(Ptr* p, long size) {
    SetValue();
    type_ = VarPtr;
    scalar_.ptr = p;
    elementSize_ = size;
}

void OrvVariant::SetValue(CSpiceArgs* p) {
    SetValue();
    type_ = VarSpiceArgs;
    scalar_.spiceArgs = p;
}

void OrvVariant::SetValue(CAsys* p) {
    SetValue();
    type_ = VarAsys;
    scalar_.asys = p;
}

void OrvVariant::SetValue(const CPropertyList& list) {
    SetObject(VarPropertyList, &OrvVariant::propertyList_, list);
}

void OrvVariant::SetValue(const CPropertyItem& item) {
    SetObject(VarPropertyItem, &OrvVariant::propertyItem_, item);
}

void OrvVariant::SetValue(const ComItem& item) { SetObject(VarComItem, &OrvVariant::item_, item); }

// The item is set in place: going through a temporary item would count a grapher source twice,
// as releasing a grapher item never lowers the count.
template <class T>
void OrvVariant::SetTarget(T* p) {
    SetValue();
    item_.SetValue(p, true);
    type_ = VarComItem;
}

void OrvVariant::SetValue(CTreeLog* p) { SetTarget(p); }
void OrvVariant::SetValue(CGrapherSource* p) { SetTarget(p); }
void OrvVariant::SetValue(CEventSource* p) { SetTarget(p); }
void OrvVariant::SetValue(CEventSink* p) { SetTarget(p); }
void OrvVariant::SetValue(CInstrumentInterface* p) { SetTarget(p); }
void OrvVariant::SetValue(CGuiFE* p) { SetTarget(p); }

void OrvVariant::SetValue(Type t, long count, void* data, long elementSize) {
    SetValue();
    type_ = t;
    count_ = count;
    external_ = data;
    array_ = data;
    if (count >= 1 && !data) array_ = AllocateArray(t, count);
    elementSize_ = elementSize >= 1 ? elementSize : DefaultElementSize(t);
}

void OrvVariant::SetValue(const OrvVariant& other) {
    if (&other == this) return;
    // No scalar value of these codes exists to copy: the target stays as it is.
    if (other.count_ < 1 && (other.type_ == VarReserved3 || other.type_ == VarVariant)) return;
    if (OwnsArray()) {
        // other may be one of our own elements, or inside one.
        OrvVariant keep(other);
        SetValue();
        SetValue(keep);
        return;
    }
    if (other.count_ < 1) {
        switch (other.type_) {
        case VarNone: SetValue(); break;
        case VarLong: SetValue(other.scalar_.l); break;
        case VarDouble: SetValue(other.scalar_.d); break;
        case VarString: SetValue(other.text_); break;
        case VarPtr: SetValue(other.scalar_.ptr, other.elementSize_); break;
        case VarComItem: SetValue(other.item_); break;
        case VarSpiceArgs: SetValue(other.scalar_.spiceArgs); break;
        case VarAsys: SetValue(other.scalar_.asys); break;
        case VarPropertyList: SetValue(other.propertyList_); break;
        case VarPropertyItem: SetValue(other.propertyItem_); break;
        case VarReserved3:
        case VarVariant: break;
        }
        return;
    }
    SetValue(other.type_, other.count_, other.external_, 0);
    if (OwnsArray() && other.array_) CopyArray(type_, array_, other.array_, count_);
    elementSize_ = type_ == VarPtr && !other.external_ ? other.elementSize_ : DefaultElementSize(type_);
}

void OrvVariant::SetArrayOf(std::initializer_list<const OrvVariant*> values) {
    // The new elements are copied before the old array goes, so any of them may come from it.
    long count = static_cast<long>(values.size());
    OrvVariant* elements = new (std::nothrow) OrvVariant[values.size()];
    if (elements) {
        long i = 0;
        for (const OrvVariant* value : values) elements[i++] = *value;
    }
    SetValue();
    type_ = VarVariant;
    count_ = count;
    array_ = elements;
    elementSize_ = DefaultElementSize(VarVariant);
}

void OrvVariant::SetArray(const OrvVariant& a1) { SetArrayOf({&a1}); }

void OrvVariant::SetArray(const OrvVariant& a1, const OrvVariant& a2) { SetArrayOf({&a1, &a2}); }

void OrvVariant::SetArray(const OrvVariant& a1, const OrvVariant& a2, const OrvVariant& a3) {
    SetArrayOf({&a1, &a2, &a3});
}

void OrvVariant::SetArray(const OrvVariant& a1, const OrvVariant& a2, const OrvVariant& a3,
                          const OrvVariant& a4) {
    SetArrayOf({&a1, &a2, &a3, &a4});
}

void OrvVariant::SetArray(const OrvVariant& a1, const OrvVariant& a2, const OrvVariant& a3,
                          const OrvVariant& a4, const OrvVariant& a5) {
    SetArrayOf({&a1, &a2, &a3, &a4, &a5});
}

void OrvVariant::SetArray(const OrvVariant& a1, const OrvVariant& a2, const OrvVariant& a3,
                          const OrvVariant& a4, const OrvVariant& a5, const OrvVariant& a6) {
    SetArrayOf({&a1, &a2, &a3, &a4, &a5, &a6});
}

OrvVariant& OrvVariant::operator[](int i) {
    OrvVariant* elements = GetOrvVariantArray();
    return elements && i >= 0 && i < count_ ? elements[i] : veltutil::detail::SharedEmptyVariant();
}

const OrvVariant& OrvVariant::operator[](int i) const {
    const OrvVariant* elements = GetOrvVariantArray();
    return elements && i >= 0 && i < count_ ? elements[i] : veltutil::detail::SharedEmptyVariant();
}

int OrvVariant::CheckType(Type t1, Type t2, Type t3, Type t4, Type t5, Type t6, Type t7, Type t8,
                          Type t9, Type t10) const {
    const OrvVariant* elements = GetOrvVariantArray();
    if (!elements) return type_ == VarNone ? 1 : 0;
    const Type wanted[] = {t1, t2, t3, t4, t5, t6, t7, t8, t9, t10};
    long checked = count_ < 10 ? count_ : 10;
    for (long i = 0; i < checked; ++i) {
        if (wanted[i] != VarReserved3 && elements[i].type_ != wanted[i]) return 0;
    }
    return 1;
}

// A diagnostic dump of string variants. The default path is the one the suite's tools look in.
void OrvVariant::SaveVariant(CString path) {
    if (path.IsEmpty()) path = "/v9/debug/temp";
    std::FILE* file = std::fopen(path, "w");
    if (!file) return;
    if (const CString* text = GetString()) {
        if (text->IsEmpty()) std::fputs("STRING IS EMPTY\n", file);
        std::fputs(*text, file);
        std::fputs("\n", file);
    } else {
        std::fputs("Can not save: not a string\n", file);
    }
    std::fclose(file);
}
