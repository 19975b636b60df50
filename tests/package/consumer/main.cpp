#include <veltutil/veltutil.h>

#include <cstdio>

int main() {
    CString text("  consumer  ");
    text.Trim();
    std::printf("%s\n", text.GetString());
    return text == "consumer" ? 0 : 1;
}
