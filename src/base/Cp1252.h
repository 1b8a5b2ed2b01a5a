#pragma once
// Conversion between UTF-8 (texts in memory) and Windows code page 1252 (texts in
// portfolio files). The five bytes that the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the control characters of the same number, so every byte
// string survives a round trip unchanged.

#include <optional>
#include <string>
#include <string_view>

// The code page byte of a Unicode code point, or nothing when the code page lacks it.
std::optional<unsigned char> CodePointToCp1252(char32_t codePoint);

std::string Cp1252ToUtf8(std::string_view bytes);

// Nothing when the text is not valid UTF-8 or holds a character the code page lacks.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// Whether a UTF-8 text can be stored in a portfolio file without loss.
bool FitsCp1252(std::string_view utf8);

// Decodes UTF-8 into code points; nothing when the text is not valid UTF-8.
std::optional<std::u32string> DecodeUtf8(std::string_view utf8);
void AppendUtf8(std::string& out, char32_t codePoint);
