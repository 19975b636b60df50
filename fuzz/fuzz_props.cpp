// Arbitrary bytes through every reader of the property list text: the list and item parsers,
// nested lists two levels down, array extraction into arrays sized as the item says, the
// display form, whole and streamed from the text, and the checker.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "veltutil/properties/property_check.h"
#include "veltutil/properties/property_format.h"
#include "veltutil/properties/property_list.h"

namespace {

void readArrays(const CPropertyItem& item) {
    long count = item.GetArrayCount();
    if (count < 0) return;
    auto size = static_cast<std::size_t>(count);
    std::vector<long> longs(size);
    std::vector<int> ints(size);
    std::vector<CPropertyItem::PI_BOOL> bools(size);
    std::vector<double> doubles(size);
    std::vector<CString> strings(size);
    std::vector<char*> copies(size);
    item.WriteToArray(longs.data());
    item.WriteToArray(ints.data());
    item.WriteToArray(bools.data());
    item.WriteToArray(doubles.data());
    item.WriteToArray(strings.data());
    item.WriteToArray(copies.data(), 1);
    for (char* copy : copies) std::free(copy);
    item.WriteToArray(copies.data(), 0);
    for (char* copy : copies) delete[] copy;
}

void readItems(const CPropertyList& list, int level) {
    for (const CPropertyItem* item : list) {
        item->GetField();
        item->GetString();
        item->GetInt();
        item->GetDouble();
        readArrays(*item);
        const CPropertyList& nested = item->GetPropertyList();
        if (level < 2) readItems(nested, level + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CString text(std::string_view(reinterpret_cast<const char*>(data), size));
    CPropertyList list(text);
    readItems(list, 1);
    list.GetList();
    const CString shown = formatPropertyList(list, 0, 0);
    // Streamed from the text, the display form is that of the list read from it.
    std::string streamed;
    auto append = [](void* out, std::string_view piece) {
        static_cast<std::string*>(out)->append(piece);
        return true;
    };
    if (!formatPropertyListText(text, 0, 0, append, &streamed) || streamed != shown.view()) std::abort();
    CPropertyItem single(text);
    formatPropertyItem(single, 3, 1);
    readArrays(single);
    // Every item the check accepts, the parser reads.
    if (checkPropertyList(text).items > list.GetCount()) std::abort();
    CPropertyList copy(list);
    copy.AppendItems(list);
    return 0;
}
