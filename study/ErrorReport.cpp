#include "study/ErrorReport.h"

#include "store/DictError.h"
#include "store/TableFile.h"
#include "text/GbkCodec.h"

namespace {

// What the user is told of each trouble; the file's full name follows `what` on a line of its own.
struct Advice {
    const char* what;
    const char* lost; // in a handler: what became of the work that failed; nothing to say if null
    const char* todo; // what to do before trying again
    bool replaceFile; // the file must be replaced or moved away, which only a new start sees
};

constexpr const char* kChangeLost = "刚才的更改没有保存，之前保存的内容都还在。";
constexpr const char* kNotDone = "刚才的操作没有完成。";

Advice AdviceFor(DictTrouble trouble)
{
    switch (trouble) {
    case DictTrouble::Foreign:
        return {"这个文件不是本程序的词库", nullptr, "请把它移到别处，或者用词库的备份替换它", true};
    case DictTrouble::Damaged:
        return {"词库文件已经损坏，无法读取", kNotDone, "请用词库的备份替换它，或者把它移到别处", true};
    case DictTrouble::Locked:
        return {"词库文件正被另一个程序锁定", "刚才的操作没有完成，之前保存的内容都还在。",
                "请关闭正在使用它的程序（例如数据库工具）以解除锁定", false};
    case DictTrouble::ReadOnly:
        return {"词库文件不能写入", kChangeLost, "请检查这个文件和它所在的文件夹是否允许您写入", false};
    case DictTrouble::Full:
        return {"磁盘已满，词库文件无法写入", kChangeLost, "请腾出磁盘空间", false};
    case DictTrouble::InputOutput:
        return {"读写词库文件时出错", kNotDone, "请检查磁盘是否正常（例如移动硬盘是否已拔出）", false};
    case DictTrouble::FolderNotMade:
        return {"无法建立词库文件夹", nullptr, "请检查它所在的文件夹是否允许您写入", false};
    case DictTrouble::TableNotMade:
        return {"无法建立词库文件", nullptr, "请检查词库所在的文件夹是否允许您写入、磁盘是否已满", false};
    default:
        return {"无法打开词库文件", kNotDone, "请检查这个文件和它所在的文件夹是否允许您读写", false};
    }
}

// The text in the program's voice; `atStart` when the table stays closed until the next start.
std::string AdviceText(DictTrouble trouble, const std::string& file, const std::string& detail, bool atStart)
{
    const Advice advice = AdviceFor(trouble);
    std::string text = std::string(advice.what) + "：\r\n" + file + "\r\n\r\n";
    if (!atStart && advice.lost)
        text += std::string(advice.lost) + "\r\n";
    text += advice.todo;
    text += atStart || advice.replaceFile ? "，\r\n然后重新启动本程序。" : "，\r\n然后再试一次。";
    if (advice.replaceFile)
        text += "\r\n找不到词库文件时，程序会新建一个空词库。";
    return gbk::FromUtf8Lossy(text + "\r\n\r\n(" + detail + ")");
}

} // namespace

std::string ErrorReportText(const std::exception& error)
{
    const auto* table = dynamic_cast<const DictError*>(&error);
    if (!table || table->Trouble() == DictTrouble::None || table->File().empty())
        return error.what();
    return AdviceText(table->Trouble(), table->File(), table->what(), false);
}

std::string StartRefusalText(const OpenResult& refused)
{
    return AdviceText(refused.trouble, refused.path.string(), refused.detail, true);
}
