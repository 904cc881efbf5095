#include "runtime/system_error_text.h"

#include <cerrno>
#include <cstring>

namespace sanxing {

namespace {

const char* ChineseText(int error) {
    switch (error) {
        case ENOSPC: return "磁盘空间不足";
        case EDQUOT: return "磁盘配额已用完";
        case EACCES:
        case EPERM: return "没有权限";
        case ENOENT: return "文件不存在";
        case EISDIR: return "是一个文件夹";
        case ENOTDIR: return "路径中有一项不是文件夹";
        case EROFS: return "文件系统只读";
        case EEXIST: return "文件已存在";
        case ENOTEMPTY: return "文件夹不是空的";
        case EFBIG: return "文件过大";
        case ELOOP: return "符号链接绕成了圈或层数过多";
        case ENAMETOOLONG: return "文件名过长";
        case EIO: return "读写出错（磁盘或设备故障）";
        case EMFILE:
        case ENFILE: return "打开的文件过多";
        case ENOMEM: return "内存不足";
        case EBUSY: return "文件或设备正忙";
        case ETXTBSY: return "文件正在运行";
        case EXDEV: return "不能跨文件系统";
        case ENXIO: return "设备或地址不存在";
        case ENODEV: return "没有这个设备";
        case EINVAL: return "参数无效";
        case EAGAIN: return "暂时不可用，请稍后再试";
        case EINTR: return "操作被中断";
        case EPIPE: return "管道已断开";
        case EBADF: return "文件句柄无效";
        case EMLINK: return "链接数过多";
        case ESTALE: return "网络文件已失效";
        case EOPNOTSUPP: return "不支持该操作";
        case ETIMEDOUT: return "操作超时";
        case ECONNREFUSED: return "连接被拒绝";
        case ECONNRESET: return "连接被对方重置";
        case EHOSTUNREACH: return "无法到达主机";
        case ENETUNREACH: return "网络不可达";
        default: return nullptr;
    }
}

// The system's own description, untranslated whatever the locale; null for a number it
// does not know.
const char* EnglishText(int error) { return ::strerrordesc_np(error); }

}  // namespace

std::string SystemErrorText(int error) {
    const char* chinese = ChineseText(error);
    const char* english = EnglishText(error);
    std::string text = chinese != nullptr ? chinese : "系统错误 " + std::to_string(error);
    if (english != nullptr) text += std::string("（") + english + "）";
    return text;
}

}  // namespace sanxing
