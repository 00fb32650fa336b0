#pragma once

#include <string>
#include <string_view>

namespace vetrilo {

// Texts are UTF-8 inside the program; files and the network carry code page 1251.
// The single byte 0x98 that CP1251 leaves undefined maps to U+0098 so every byte
// sequence survives a round trip unchanged.
std::string Cp1251ToUtf8(std::string_view bytes);

// Characters CP1251 cannot hold become '?'. Malformed UTF-8 bytes are taken as
// CP1251 bytes unchanged (text that was never UTF-8 stays as it came).
std::string Utf8ToCp1251(std::string_view text);

// Number of characters (code points) of a UTF-8 text.
size_t Utf8Length(std::string_view text);
// Bytes of the first `chars` characters of a UTF-8 text (all of it when shorter);
// a character is a lead byte with the continuation bytes after it.
size_t Utf8PrefixBytes(std::string_view text, size_t chars);

// Upper case of Latin and Cyrillic letters (ignoring case in keys and codes).
std::string Utf8UpperCase(std::string_view text);
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace vetrilo
