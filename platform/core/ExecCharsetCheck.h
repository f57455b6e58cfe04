#pragma once

// Force-included into every C++ translation unit: narrow string literals must
// be code page 932, the encoding of every string the programs hold.
static_assert(sizeof("あ") == 3 && "あ"[0] == '\x82' && "あ"[1] == '\xA0',
              "narrow literals are not CP932: compile with -fexec-charset=CP932//TRANSLIT");
