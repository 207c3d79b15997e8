#include "dict/DictionaryOpening.h"

#include "dict/DictSchema.h"
#include "dict/DictTable.h"
#include "platform/GbkCodec.h"

#include <cstring>

namespace fs = std::filesystem;

namespace {

// What went wrong and what the user can do about it, in the program's voice; the file's full name
// goes where {} stands, the engine's or the system's own text follows the advice.
const char* AdviceFor(DictFileState state)
{
    switch (state) {
    case DictFileState::Foreign:
        return "这个文件不是本程序的词库：\r\n{}\r\n\r\n"
               "请把它移到别处，或者用词库的备份替换它，\r\n然后重新启动本程序。\r\n"
               "找不到词库文件时，程序会新建一个空词库。";
    case DictFileState::Damaged:
        return "词库文件已经损坏，无法读取：\r\n{}\r\n\r\n"
               "请用词库的备份替换它，或者把它移到别处，\r\n然后重新启动本程序。\r\n"
               "找不到词库文件时，程序会新建一个空词库。";
    case DictFileState::Locked:
        return "词库文件正被另一个程序锁定：\r\n{}\r\n\r\n"
               "请关闭正在使用它的程序（例如数据库工具），\r\n解除锁定后重新启动本程序。";
    default:
        return "无法打开词库文件：\r\n{}\r\n\r\n"
               "请检查这个文件和它所在的文件夹是否允许您读写，\r\n然后重新启动本程序。";
    }
}

OpenResult Refusal(const char* advice, const fs::path& path, const std::string& detail)
{
    std::string text = advice;
    text.replace(text.find("{}"), 2, path.string());
    return {OpenOutcome::Failed, gbk::FromUtf8Lossy(text + "\r\n\r\n(" + detail + ")")};
}

} // namespace

std::filesystem::path DictionaryPath(const std::filesystem::path& folder)
{
    return folder / "data" / "DORori.db";
}

bool DictionaryToCreate(const std::filesystem::path& folder)
{
    return DictTableFileMissing(DictionaryPath(folder).string());
}

OpenResult OpenDictionary(const std::filesystem::path& folder, TDictTable& table)
{
    const fs::path path = DictionaryPath(folder);
    std::error_code error;
    // The program's folder exists; the one in the user's data folder may need its parents too.
    fs::create_directories(path.parent_path(), error);
    if (error)
        return Refusal("无法建立词库文件夹：\r\n{}\r\n\r\n"
                       "请检查它所在的文件夹是否允许您写入，\r\n然后重新启动本程序。",
                       path.parent_path(), strerrordesc_np(error.value()));
    // Nothing is written to a file before it is known to be the table.
    const DictFileCheck check = CheckDictTableFile(path.string());
    if (check.state == DictFileState::Missing) {
        try {
            TDictTable::CreateTable(path.string());
        } catch (const std::exception& failure) {
            return Refusal("无法建立词库文件：\r\n{}\r\n\r\n"
                           "请检查词库所在的文件夹是否允许您写入、磁盘是否已满，\r\n然后重新启动本程序。",
                           path, failure.what());
        }
        if (CheckDictTableFile(path.string()).state == DictFileState::Missing)
            return {OpenOutcome::TableMissing, {}};
    } else if (check.state != DictFileState::Table) {
        return Refusal(AdviceFor(check.state), path, check.detail);
    }
    try {
        table.Open(path.string());
    } catch (const std::exception& failure) {
        return Refusal(AdviceFor(DictFileState::Unopenable), path, failure.what());
    }
    return {OpenOutcome::Opened, {}};
}
