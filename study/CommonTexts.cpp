#include "study/CommonTexts.h"

#include "text/GbkCodec.h"

const CommonTexts& Common()
{
    static const CommonTexts texts{
        gbk::FromUtf8("【").value(),
        gbk::FromUtf8("】").value(),
        gbk::FromUtf8("提示").value(),
        gbk::FromUtf8("警告").value(),
    };
    return texts;
}
