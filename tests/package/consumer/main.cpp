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

    // The installed drawing module is what the front end's module name finds by default.
    HMODULE plotter = LoadLibrary("grapher.dll");
    bool plotterOk = plotter != nullptr && GetProcAddress(plotter, "GrapherCreate") != nullptr &&
                     GetProcAddress(plotter, "GrapherSetOutputDirectory") != nullptr;
    std::printf("plotting module: %s\n", plotterOk ? GetModuleFileName(plotter).GetString() : "missing");
    if (plotter != nullptr) FreeLibrary(plotter);
    return text == "consumer" && listOk && plotterOk ? 0 : 1;
}
