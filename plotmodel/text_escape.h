#pragma once

#include <string>
#include <string_view>

namespace plotmodel {

// Text for XML and HTML character data and attribute values: markup characters become
// entities, and what XML cannot carry (control characters other than tab and line breaks,
// bytes that are not UTF-8) becomes U+FFFD, so a client's text never breaks the file.
//   XmlEscaped("a<b & \"c\"") -> "a&lt;b &amp; &quot;c&quot;"
std::string XmlEscaped(std::string_view text);

// One CSV field: quoted when it holds a comma, a quote or a line break, quotes doubled.
//   CsvField("say \"hi\", twice") -> "\"say \"\"hi\"\", twice\""
std::string CsvField(std::string_view text);

// "#rrggbb" for a colour in the platform's 0x00bbggrr layout.
std::string HexColour(unsigned long colour);

// NaN and the infinities as every file spells them, "NaN", "Infinity" and "-Infinity": the
// spellings that C's strtod, Python's float(), JavaScript's Number() and Java's parseDouble all
// read back. "" for a finite value.
std::string_view NonFiniteText(double value);

// A number in its shortest form that reads back to the same double.
void AppendNumber(std::string& out, double value);
// A number with printf's %.*g (`significant` digits) or %.*f (`decimals`).
std::string SignificantText(double value, int significant);
std::string DecimalText(double value, int decimals);
// A pixel coordinate with one decimal.
void AppendPixel(std::string& out, double value);

}  // namespace plotmodel
