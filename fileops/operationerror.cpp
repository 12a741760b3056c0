#include "fileops/operationerror.h"

#include <cerrno>
#include <cstring>

namespace zorvaku {

namespace {

const char* OperationText(Operation operation)
{
    switch (operation) {
    case Operation::Join: return "結合";
    case Operation::Split: return "分割";
    case Operation::Add: return "追加";
    case Operation::Browse: return "移動";
    }
    return "処理";
}

const char* ActionText(Action action)
{
    switch (action) {
    case Action::Open: return "を開けません";
    case Action::Read: return "を読み込めません";
    case Action::Write: return "に書き込めません";
    case Action::Close: return "を閉じられません";
    case Action::Add: return "を結合リストに入れられません";
    }
    return "を扱えません";
}

std::string Message(Operation operation, Action action, const std::string& file, const std::string& reason)
{
    return std::string(OperationText(operation)) + "できません: 「" + file + "」" + ActionText(action) + "（" + reason
        + "）";
}

}  // namespace

OperationError::OperationError(Operation operation, Action action, std::string file, std::string reason)
    : std::runtime_error(Message(operation, action, file, reason))
    , operation_(operation)
    , action_(action)
    , file_(std::move(file))
    , reason_(std::move(reason))
{
}

std::string SystemReason(int err)
{
    switch (err) {
    case ENOENT: return "ファイルまたはディレクトリがありません";
    case EACCES: return "アクセスが拒否されました";
    case EPERM: return "操作が許可されていません";
    case ENOSPC: return "ディスクに空き領域がありません";
    case EDQUOT: return "ディスク使用量の制限を超えました";
    case EIO: return "入出力エラーです";
    case EISDIR: return "ディレクトリです";
    case ENOTDIR: return "パスの途中にディレクトリでないものがあります";
    case ENAMETOOLONG: return "ファイル名が長すぎます";
    case EROFS: return "読み取り専用のファイルシステムです";
    case EFBIG: return "ファイルが大きすぎます";
    case EMFILE:
    case ENFILE: return "開いているファイルが多すぎます";
    case ELOOP: return "シンボリックリンクの階層が多すぎます";
    case ENXIO: return "デバイスがありません";
    case ENODEV: return "デバイスがありません";
    case EBUSY: return "デバイスまたはリソースが使用中です";
    case ETXTBSY: return "実行中のプログラムファイルです";
    case EINVAL: return "無効な引数です";
    case EEXIST: return "ファイルが既に存在します";
    case ENOMEM: return "メモリが足りません";
    case ESTALE: return "ネットワーク上のファイルが失われました";
    case EAGAIN: return "リソースが一時的に使用できません";
    }
    return std::string("システムエラー ") + std::to_string(err) + ": " + std::strerror(err);
}

std::string NotPutBack(const std::string& file, int err)
{
    return "。さらに「" + file + "」を元に戻せません（" + SystemReason(err) + "）";
}

void ThrowSystemError(Operation operation, Action action, const std::string& file, int err)
{
    throw OperationError(operation, action, file, SystemReason(err));
}

}  // namespace zorvaku
