#include "sys/Messages.h"

#include <algorithm>

namespace sys {

namespace {

// Texts that the user's guide quotes are written here whole, so that a search of the sources
// finds them; the command line's texts follow each row's window text.
const std::vector<MessageRow> kRows = {
    {Message::PortGrantMissing,
     "I/O ポートにアクセスできません. Windows NT/2000 以降では giveio ドライバが必要です. "
     "giveio をインストールしてから起動してください.",
     "I/O port access is not granted: on Windows NT/2000 and later the giveio driver must be "
     "installed and started"},
    {Message::InstructionRefused,
     "特権命令の例外: %1 が拒否されました. I/O ポートへのアクセスが許可されていません.",
     "privileged instruction refused: %1; this process may not access I/O ports"},
    {Message::PortInput, "ポート %2h からの入力", "input from port %2h"},
    {Message::PortOutput, "ポート %2h への出力", "output to port %2h"},
    {Message::ClearInterrupts, "割り込み禁止 (CLI)", "clearing the interrupt flag (CLI)"},
    {Message::SetInterrupts, "割り込み許可 (STI)", "setting the interrupt flag (STI)"},
    {Message::FirmwareCall, "BIOS 呼び出し (ポート B0h への出力, 機能 %2h)",
     "firmware call (output to port B0h, function %2h)"},
    {Message::FirmwareSilent, "ファームウェアが応答しません. 対応するノートPC ではないため、何も書き込みませんでした.",
     "the firmware does not answer its software call (status request 9904h came back unchanged): "
     "this is not the notebook, or its firmware does not listen; nothing written"},

    {Message::SimFileUnreadable, "%1 を読めません (%2).", "cannot read %1 (%2)"},
    {Message::SimCmosNotSaved, "%1 に CMOS の内容を保存できません.", "cannot save CMOS byte %2h in %1"},
    {Message::SimIniBadLine, "%1 の %2 行目が正しくありません (%3): %4", "%1, line %2 (%3): %4"},
    {Message::SimIniNotNameValue, "「名前 = 値」の形ではありません", "not `name = value`"},
    {Message::SimIniNotNumber, "値は 32 ビットの 10 進数か 0x で始まる 16 進数です",
     "the value is a 32-bit decimal or 0x-hex number"},
    {Message::SimIniNotYesNo, "値は yes か no です", "the value is yes or no"},
    {Message::SimIniNotByte, "値は 0 から 255 (0xFF) までの 1 バイトです", "the value is a byte, 0 to 255 (0xFF)"},
    {Message::SimIniUnknownName,
     "名前は hibernation-size, status-0 から status-63, firmware-answers か "
     "cmos-stuck-00 から cmos-stuck-7F です",
     "the names are hibernation-size, status-0 to status-63, firmware-answers and "
     "cmos-stuck-00 to cmos-stuck-7F"},
    {Message::SimCmosWrongSize, "%1 は %2 バイトです. CMOS のイメージは 128 バイトでなければなりません.",
     "%1 is %2 bytes long; a CMOS image is exactly 128 bytes"},
    {Message::SimCmosNameTaken, "%1 を作成できません. 同じ名前のもの (行き先のないリンクなど) がすでにあります.",
     "cannot create %1: something of that name is there already (a link to a missing file?); "
     "it is not followed"},
    {Message::SimCmosNotCreated, "%1 を作成できません. 実行ファイルのフォルダに書き込めるか確かめてください.",
     "cannot create %1; check that the folder exists and may be written"},

    {Message::FileCreated, "%1 を作成しました.", "%1 has been created."},
    {Message::FileNotCreated, "エラー： %1 が作成できません.", "Error: %1 cannot be created."},
    {Message::NoSuchFile, "ファイルがありません", "no such file"},
    {Message::AccessDenied, "アクセスが拒否されました", "access denied"},
    {Message::IsAFolder, "ファイルではなくフォルダです", "a folder, not a file"},
    {Message::SystemErrno, "システム エラー (errno %1)", "system error (errno %1)"},
    {Message::SystemErrorCode, "システム エラー %1", "system error %1"},

    {Message::UpdateConfirmation, "CMOS内容を更新します.", "The CMOS settings will be updated."},
    {Message::BackupConfirmation, "CMOS内容を %1 に出力します.", "The CMOS contents will be saved to %1."},
    {Message::HibernationConfirmation, "%1 を作成します.", "%1 will be created."},
    {Message::ComctlTooOld, "COMCTL32.DLLがインストールされていないか、バージョン4.72より古いため起動出来ません",
     "COMCTL32.DLL is not installed or is older than version 4.72: the program cannot start."},
    {Message::AlreadyRunning, "既に実行されています.", "TOVIKA is already running."},
    {Message::UnexpectedError, "予期しないエラーが発生しました.", "An unexpected error occurred."},

    {Message::NotARegularFile, "%1 は%2で、通常のファイルではありません. 何も読み書きしませんでした.",
     "%1 is %2, not a regular file; nothing read or written"},
    {Message::KindFifo, "FIFO (名前付きパイプ)", "a FIFO (a named pipe)"},
    {Message::KindCharDevice, "キャラクタ デバイス", "a character device"},
    {Message::KindBlockDevice, "ブロック デバイス", "a block device"},
    {Message::KindSocket, "ソケット", "a socket"},
    {Message::KindFolder, "フォルダ", "a folder"},
    {Message::KindOther, "特殊なファイル", "a special file"},
    {Message::FileTooLarge, "%1 は %2 バイトを超えています. 何も書き込みませんでした.",
     "%1 is larger than %2 bytes, more than a settings file can be; nothing written"},
    {Message::FileBusy, "%1 は別のプログラムが書き込み中です (%2 秒待ちました). 何も書き込みませんでした.",
     "%1 is being written by another program (waited %2 s for it to finish); nothing done"},
    {Message::DeviceBusy, "%1 は別のプログラムが使用中です (%2 秒待ちました). 何も書き込みませんでした.",
     "%1 is being written by another program (waited %2 s for it to finish): close that program and "
     "try again; nothing done"},
    {Message::ImageIsLink, "%1 はシンボリック リンクです. リンクを通して書き込まないため、何も書き込みませんでした.",
     "%1 is a symbolic link: an image is never written through a link nor replaced in its place, "
     "so nothing written; give the file that it links to"},

    {Message::PathReason, "%1: %2", "%1: %2"},
    {Message::SeekFailed, "%1 の %2 バイト目に移動できません (%3).", "%1: cannot seek to %2: %3"},
    {Message::ShortWrite, "%1 に %3 バイトのうち %2 バイトしか書き込めませんでした.", "%1: short write of %2 of %3 bytes"},
    {Message::ImageWrongSize, "%1 は %2 バイトです. CMOS のイメージは 128 バイト (2 バンクなら 256 バイト) です.",
     "%1 is %2 bytes long; a CMOS image is 128 bytes, or 256 (two banks, as nvramtool writes it)"},
    {Message::NoFreeTemporaryName, "%1 の一時ファイルの名前がありません (%2 個使用中、最後は %3). 何も書き込みませんでした.",
     "%1: no free name for the temporary file beside it (%2 names taken, the last %3); nothing written"},
    {Message::NoSinglePort, "%1: このシステムでは CMOS のバイトとファームウェア呼び出しだけが使え、ポートは使えません.",
     "%1: this system gives the CMOS by byte and the firmware call only, no single port"},
    {Message::NoFirmwareBehindImage, "メモリ上の CMOS イメージにはファームウェアがありません.",
     "no firmware behind a CMOS image in memory"},
};

const MessageRow* Find(Message id) {
    for (const MessageRow& row : kRows)
        if (row.id == id) return &row;
    for (const MessageRowsAside* aside = MessageRowsAside::First(); aside; aside = aside->Next())
        for (const MessageRow& row : *aside)
            if (row.id == id) return &row;
    return nullptr;
}

bool markSystemTexts = false;

// A text argument, marked where it must be (MarkSystemTexts).
void AppendArgument(std::string& out, std::string_view text) {
    const bool high = markSystemTexts && std::any_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x80;
    });
    if (high) out += kSystemTextStart;
    out += text;
    if (high) out += kSystemTextEnd;
}

// A row refers to another row only through an argument; a chain of them is cut off here
// rather than followed for ever.
constexpr int kMaxDepth = 4;

void Fill(std::string& out, Message id, const MessageArgs& args, Language language, int depth);

void FillFrom(std::string& out, const char* text, const MessageArgs& args, Language language, int depth) {
    for (const char* p = text; *p; ++p) {
        // A Shift-JIS trail byte is never '%' (25h), so the text can be read byte by byte.
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
            const std::size_t n = static_cast<std::size_t>(p[1] - '1');
            ++p;
            if (n >= args.size()) continue;
            const MessageArg& arg = args[n];
            if (!arg.IsRow()) AppendArgument(out, arg.Text(language));
            else if (depth < kMaxDepth) Fill(out, arg.Row(), args, language, depth + 1);
            continue;
        }
        out += *p;
    }
}

void Fill(std::string& out, Message id, const MessageArgs& args, Language language, int depth) {
    const MessageRow* row = Find(id);
    if (!row) return;
    FillFrom(out, language == Language::English && row->english[0] ? row->english : row->japanese, args, language,
             depth);
}

}  // namespace

const std::vector<MessageRow>& MessageTable() { return kRows; }

void MarkSystemTexts(bool on) { markSystemTexts = on; }

std::string Japanese(Message id, const MessageArgs& args) { return Text(Language::Japanese, id, args); }

std::string English(Message id, const MessageArgs& args) { return Text(Language::English, id, args); }

std::string Text(Language language, Message id, const MessageArgs& args) {
    std::string out;
    Fill(out, id, args, language, 0);
    return out;
}

std::string FillText(const char* text, Language language, const MessageArgs& args) {
    std::string out;
    FillFrom(out, text, args, language, 0);
    return out;
}

}  // namespace sys
