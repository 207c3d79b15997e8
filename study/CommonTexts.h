#pragma once
// The texts that several pages show, as GBK, converted once.

#include <string>

struct CommonTexts {
    std::string open;    // "【", before a word
    std::string close;   // "】", after it
    std::string hint;    // "提示", the caption of questions
    std::string warning; // "警告", the caption of warnings
};

const CommonTexts& Common();
