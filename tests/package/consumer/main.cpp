#include <veltutil/veltutil.h>

#include <cstdio>

int main() {
    CString text("  consumer  ");
    text.Trim();
    std::printf("%s\n", text.GetString());

    // The property model must be exported too: parse, write back and display a small list.
    CPropertyList list(CString("Name:string{R1}\nPins:long[]{-:-{1}\n-:-{2}\n}\n"));
    CString written = list.GetList();
    std::printf("%s%s", written.GetString(), formatPropertyList(list, 0, 0).GetString());
    bool listOk = list.GetCount() == 2 && written == "Name:string{R1}\nPins:long[]{-:-{1}\n-:-{2}\n}\n";
    return text == "consumer" && listOk ? 0 : 1;
}
