#include "documentfile.h"

#include "common/pathtext.h"
#include "editor/codepage.h"
#include "editor/rtfreader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <vector>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#endif

namespace DocumentFile {

namespace {

const QByteArray Utf8Mark("\xEF\xBB\xBF");

// QTextDocument ends a paragraph at its frame marks U+FDD0 and U+FDD1 wherever they stand. A
// file's own are shown as U+FFFD, the character kept in its format, and written back from
// there.
constexpr int StandsFor = QTextFormat::UserProperty + 0x6466;
constexpr char16_t StandIn = 0xFFFD;

// Text is encoded in pieces of at most this many characters and written once this many bytes
// gathered, so that a large document needs no second copy of itself in memory.
constexpr qsizetype Piece = 1 << 16;
constexpr qsizetype WriteAt = 1 << 20;

int ansiCodePage()
{
#ifdef Q_OS_WIN
    return int(GetACP());
#else
    return CodePage::Western;
#endif
}

bool isFrameMark(char16_t c)
{
    return c == 0xFDD0 || c == 0xFDD1;
}

bool isUtf16(int codePage)
{
    return codePage == Utf16Le || codePage == Utf16Be;
}

bool isUtf32(int codePage)
{
    return codePage == Utf32Le || codePage == Utf32Be;
}

QByteArray byteOrderMark(int codePage)
{
    switch (codePage) {
    case Utf16Le:
        return QByteArray("\xFF\xFE", 2);
    case Utf16Be:
        return QByteArray("\xFE\xFF", 2);
    case Utf32Le:
        return QByteArray("\xFF\xFE\0\0", 4);
    case Utf32Be:
        return QByteArray("\0\0\xFE\xFF", 4);
    default:
        return Utf8Mark;
    }
}

// Text in UTF-16 or UTF-32 behind its mark, or nothing when the bytes are not that. Any
// sequence of UTF-16 units is kept as it is, lone surrogates too, so it is written back alike.
std::optional<Decoded> decodeUnicode(const QByteArray &bytes, int codePage)
{
    const QByteArray mark = byteOrderMark(codePage);
    const qsizetype unit = isUtf16(codePage) ? 2 : 4;
    if (!bytes.startsWith(mark) || bytes.size() % unit != 0)
        return std::nullopt;
    const bool little = codePage == Utf16Le || codePage == Utf32Le;
    const uchar *p = reinterpret_cast<const uchar *>(bytes.constData()) + mark.size();
    const uchar *const end = reinterpret_cast<const uchar *>(bytes.constData()) + bytes.size();
    QString text;
    text.reserve((end - p) / unit);
    for (; p < end; p += unit) {
        if (unit == 2) {
            text.append(QChar(little ? qFromLittleEndian<quint16>(p) : qFromBigEndian<quint16>(p)));
            continue;
        }
        const char32_t code = little ? qFromLittleEndian<quint32>(p) : qFromBigEndian<quint32>(p);
        if (code > 0x10FFFF || QChar::isSurrogate(code))
            return std::nullopt;
        for (const char16_t c : QChar::fromUcs4(code))
            text.append(QChar(c));
    }
    return Decoded{std::move(text), {codePage, true}};
}

// Appends the piece encoded to out; false when a character has no form in the encoding.
bool encodeInto(QStringView piece, int codePage, QByteArray &out)
{
    if (isUtf16(codePage)) {
        const qsizetype at = out.size();
        out.resize(at + piece.size() * 2);
        uchar *p = reinterpret_cast<uchar *>(out.data()) + at;
        for (const QChar c : piece) {
            if (codePage == Utf16Le)
                qToLittleEndian<quint16>(c.unicode(), p);
            else
                qToBigEndian<quint16>(c.unicode(), p);
            p += 2;
        }
        return true;
    }
    if (isUtf32(codePage)) {
        bool complete = true;
        for (qsizetype i = 0; i < piece.size(); ++i) {
            char32_t code = piece[i].unicode();
            if (piece[i].isHighSurrogate() && i + 1 < piece.size()
                && piece[i + 1].isLowSurrogate()) {
                code = QChar::surrogateToUcs4(piece[i], piece[i + 1]);
                ++i;
            } else if (piece[i].isSurrogate()) {
                complete = false;
            }
            char bytes[4];
            if (codePage == Utf32Le)
                qToLittleEndian<quint32>(code, bytes);
            else
                qToBigEndian<quint32>(code, bytes);
            out.append(bytes, 4);
        }
        return complete;
    }
    const CodePage::Encoded encoded = CodePage::encode(piece, codePage);
    out.append(encoded.bytes);
    return encoded.complete;
}

// The document's text with paragraph marks and line breaks as U+2029 and U+2028, and the
// frame marks of the file back in place of their stand-ins.
QString rawText(const QTextDocument &document)
{
    QString text = document.toRawText();
    const QList<QTextFormat> formats = document.allFormats();
    if (std::none_of(formats.cbegin(), formats.cend(),
                     [](const QTextFormat &format) { return format.hasProperty(StandsFor); }))
        return text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QVariant original = fragment.charFormat().property(StandsFor);
            if (!original.isValid())
                continue;
            // Text typed behind a stand-in takes on its format; only the stand-in goes back.
            for (int i = fragment.position(); i < fragment.position() + fragment.length(); ++i) {
                if (text[i] == QChar(StandIn))
                    text[i] = QChar(char16_t(original.toInt()));
            }
        }
    }
    return text;
}

// Why a write to the file failed, in the user's words.
QString writeFailure(const QFileDevice &file)
{
    if (file.error() == QFileDevice::ResourceError)
        return QCoreApplication::translate("DocumentFile", "the disk is full");
    if (file.error() == QFileDevice::NoError || file.errorString().isEmpty())
        return QCoreApplication::translate("DocumentFile", "not all of the text could be written");
    return file.errorString();
}

// Writes every byte, or fails: a short write goes on with the rest, whose write then says why
// it failed.
bool writeAll(QFileDevice &file, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const qint64 written = file.write(bytes.data(), bytes.size());
        if (written <= 0)
            return false;
        bytes = bytes.sliced(written);
    }
    return true;
}

#ifdef Q_OS_WIN
// The change time of the file's attributes, which Qt does not give: 100 ns steps since 1601.
qint64 changeTimeOf(const QString &path)
{
    const HANDLE handle =
        CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    FILE_BASIC_INFO info = {};
    const bool known = GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof info);
    CloseHandle(handle);
    return known ? qint64(info.ChangeTime.QuadPart) : 0;
}
#else
qint64 nanoseconds(const struct timespec &time)
{
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

Stamp stampOf(const struct stat &info)
{
    return {quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
            nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
}

QString systemMessage(int error)
{
    return QString::fromLocal8Bit(std::generic_category().message(error));
}
#endif

Stamp stampOf(const QString &path)
{
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {0, 0, info.size(), info.lastModified().toMSecsSinceEpoch() * 1000000,
            changeTimeOf(path)};
#else
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return stampOf(info);
#endif
}

#ifdef Q_OS_WIN
// The new text in a file beside the old one, renamed over it when every byte is written.
class NewFile final
{
public:
    explicit NewFile(const QString &path)
        : m_file(path)
    {}
    Status open()
    {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return Failure{m_file.errorString()};
        return {};
    }
    QFileDevice &device() { return m_file; }
    Status commit()
    {
        if (!m_file.commit())
            return Failure{m_file.errorString()};
        return {};
    }

private:
    QSaveFile m_file;
};
#else
// The new text in a file beside the old one, renamed over it when every byte is written and on
// the disk. Its name is short and its own, so that a name at the system's limit can be saved
// too, and it takes the owner, group and mode of the file it replaces, as far as this user may
// give them (root any owner, others a group of their own).
class NewFile final
{
public:
    explicit NewFile(const QString &path)
        : m_path(QFile::encodeName(path))
    {}
    ~NewFile()
    {
        if (!m_temporary.isEmpty())
            ::unlink(m_temporary.constData());
    }
    Status open()
    {
        const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(m_path)).path());
        m_temporary = folder + "/.tarnwick-XXXXXX";
        const int fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
        if (fd < 0) {
            const int error = errno;
            m_temporary.clear();
            return Failure{systemMessage(error)};
        }
        takeOverFrom(fd);
        if (!m_file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                         QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return Failure{m_file.errorString()};
        }
        return {};
    }
    QFileDevice &device() { return m_file; }
    // Sends the bytes to the disk first, where a file system that allocates late says it is
    // full; only then does the new file take the old one's place.
    Status commit()
    {
        if (::fdatasync(m_file.handle()) != 0 && errno != EINVAL && errno != EROFS) {
            if (errno == ENOSPC)
                return Failure{QCoreApplication::translate("DocumentFile", "the disk is full")};
            return Failure{systemMessage(errno)};
        }
        m_file.close();
        if (::rename(m_temporary.constData(), m_path.constData()) != 0)
            return Failure{systemMessage(errno)};
        m_temporary.clear();
        return {};
    }

private:
    void takeOverFrom(int fd) const
    {
        struct stat old = {};
        if (::stat(m_path.constData(), &old) != 0) {
            // A new file gets the mode any program would give it.
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(fd, 0666 & ~mask);
            return;
        }
        ::fchmod(fd, old.st_mode & 07777);
        if ((old.st_uid != geteuid() || old.st_gid != getegid())
            && ::fchown(fd, old.st_uid, old.st_gid) != 0
            && ::fchown(fd, uid_t(-1), old.st_gid) != 0) {
            // Not permitted: the new file stays this user's, as any file made anew would.
        }
    }

    QByteArray m_path;
    QByteArray m_temporary;
    QFile m_file;
};
#endif

// Whether two paths name one file: the same path, or links to one.
bool isSameFile(const QString &a, const QString &b)
{
    const QFileInfo one(a);
    const QFileInfo other(b);
    if (PathText::samePath(one.absoluteFilePath(), other.absoluteFilePath()))
        return true;
    const QString canonical = one.canonicalFilePath();
    return !canonical.isEmpty() && PathText::samePath(canonical, other.canonicalFilePath());
}

// Puts the stand-in in place of each frame mark of the text; returns where they stood in the
// document that the text makes, in which CR LF is one paragraph end.
std::vector<std::pair<int, char16_t>> standInFrameMarks(QString &text)
{
    std::vector<std::pair<int, char16_t>> marks;
    if (!text.contains(QChar(0xFDD0)) && !text.contains(QChar(0xFDD1)))
        return marks;
    int position = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++position) {
        const char16_t c = text[i].unicode();
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            ++i;
        } else if (isFrameMark(c)) {
            marks.emplace_back(position, c);
            text[i] = QChar(StandIn);
        }
    }
    return marks;
}

// Where the paragraph marks and line breaks of a text are, each kind found by a fast search
// and searched again only once passed, so that finding all of them takes one pass.
class Breaks
{
public:
    explicit Breaks(QStringView text)
        : m_text(text)
    {}

    // The next break at or after the position, or the text's end.
    qsizetype next(qsizetype from)
    {
        if (m_paragraph < from)
            m_paragraph = find(QChar::ParagraphSeparator, from);
        if (m_line < from)
            m_line = find(QChar::LineSeparator, from);
        return std::min(m_paragraph, m_line);
    }

private:
    qsizetype find(QChar c, qsizetype from) const
    {
        const qsizetype at = m_text.indexOf(c, from);
        return at < 0 ? m_text.size() : at;
    }

    QStringView m_text;
    qsizetype m_paragraph = -1;
    qsizetype m_line = -1;
};

// Encodes text into the file as it comes and writes it on in large pieces; the first failure
// ends the writing and is kept. Text is given in whole characters, never half a pair.
class TextWriter
{
public:
    TextWriter(QFileDevice &file, const Encoding &encoding)
        : m_file(file)
        , m_codePage(encoding.codePage)
        , m_bytes(WriteAt + 3 * Piece + 16, Qt::Uninitialized)
    {
        if (m_codePage == CodePage::Utf8)
            m_utf8.emplace(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
        if (encoding.byteOrderMark)
            put(byteOrderMark(m_codePage));
    }

    void append(QStringView text)
    {
        if (m_failure)
            return;
        if (m_utf8) {
            // Straight into the bytes: UTF-8 needs no piece of text of its own.
            room(m_utf8->requiredSpace(text.size()));
            m_used = m_utf8->appendToBuffer(m_bytes.data() + m_used, text) - m_bytes.data();
            if (m_utf8->hasError())
                failCharacters();
        } else {
            m_text.append(text);
            if (m_text.size() >= Piece)
                encode();
        }
        if (m_used >= WriteAt)
            write();
    }

    void lineEnd()
    {
        if (m_utf8)
            put("\r\n");
        else
            append(u"\r\n");
    }

    // Writes what is left; fails when not every character was written.
    Status finish()
    {
        encode();
        write();
        if (m_failure)
            return Failure{*m_failure};
        return {};
    }

private:
    // Makes room for that many more bytes, beyond the usual only for a piece of wide
    // characters.
    void room(qsizetype bytes)
    {
        if (m_used + bytes > m_bytes.size())
            m_bytes.resize(m_used + bytes);
    }

    void put(QByteArrayView bytes)
    {
        room(bytes.size());
        std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + m_used);
        m_used += bytes.size();
    }

    void encode()
    {
        if (m_text.isEmpty())
            return;
        m_encoded.resize(0);
        if (!m_failure && !encodeInto(m_text, m_codePage, m_encoded))
            failCharacters();
        put(m_encoded);
        m_text.resize(0); // keeps its memory for the next piece
    }

    void write()
    {
        if (!m_failure && !writeAll(m_file, QByteArrayView(m_bytes).first(m_used)))
            m_failure = writeFailure(m_file);
        m_used = 0;
    }

    void failCharacters()
    {
        m_failure = QCoreApplication::translate("DocumentFile",
                                                "the text holds characters that its character "
                                                "set (code page %1) cannot store")
                        .arg(m_codePage);
    }

    QFileDevice &m_file;
    const int m_codePage;
    std::optional<QStringEncoder> m_utf8;
    QString m_text; // not yet encoded, in other encodings than UTF-8
    QByteArray m_encoded;
    // Room for what gathers before a write and a piece after it; m_used of it hold bytes.
    QByteArray m_bytes;
    qsizetype m_used = 0;
    std::optional<QString> m_failure;
};

} // namespace

Encoding systemEncoding()
{
#ifdef Q_OS_WIN
    return {ansiCodePage(), false};
#else
    return {CodePage::Utf8, false};
#endif
}

Decoded decode(const QByteArray &bytes)
{
    // UTF-32 first: its little-endian mark begins like UTF-16's.
    for (const int form : {Utf32Le, Utf32Be, Utf16Le, Utf16Be}) {
        if (std::optional<Decoded> decoded = decodeUnicode(bytes, form))
            return std::move(*decoded);
    }
#ifndef Q_OS_WIN
    const bool marked = bytes.startsWith(Utf8Mark);
    const QByteArrayView body = marked ? QByteArrayView(bytes).sliced(Utf8Mark.size()) : bytes;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless
                                                    | QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return {std::move(text), {CodePage::Utf8, marked}};
#endif
    return {CodePage::decode(bytes, ansiCodePage()), {ansiCodePage(), false}};
}

bool isProgram(const QString &path)
{
    return path.endsWith(QLatin1String("com"), Qt::CaseInsensitive)
           || path.endsWith(QLatin1String("exe"), Qt::CaseInsensitive);
}

bool isDocument(const QString &path)
{
    return path.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)
           || path.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive);
}

Result<QByteArray> read(const QString &path, Stamp *stamp)
{
    if (QFileInfo(path).isDir())
        return Failure{QCoreApplication::translate("DocumentFile", "it is a folder")};
#ifdef Q_OS_WIN
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{file.errorString()};
    if (stamp)
        *stamp = stampOf(path);
#else
    // Opened without waiting and looked at before reading: a FIFO would wait for a writer
    // for good, a device might never end.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Failure{systemMessage(errno)};
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Failure{QCoreApplication::translate("DocumentFile", "it is not a regular file")};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Failure{file.errorString()};
    }
    if (stamp)
        *stamp = stampOf(info);
#endif
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure{file.errorString()};
    return bytes;
}

bool changedOnDisk(const Origin &origin, const QString &target)
{
    if (origin.path.isEmpty() || origin.stamp.size < 0)
        return false;
    return QFileInfo::exists(target) && isSameFile(target, origin.path)
           && stampOf(target) != origin.stamp;
}

Encoding load(const QByteArray &bytes, QTextDocument &document)
{
    if (Rtf::isMarkup(bytes)) {
        Rtf::load(bytes, document);
        return systemEncoding();
    }
    Decoded decoded = decode(bytes);
    const std::vector<std::pair<int, char16_t>> marks = standInFrameMarks(decoded.text);
    document.setPlainText(decoded.text);
    if (!marks.empty()) {
        const bool undo = document.isUndoRedoEnabled();
        document.setUndoRedoEnabled(false);
        QTextCursor cursor(&document);
        for (const auto &[at, mark] : marks) {
            cursor.setPosition(at);
            cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
            QTextCharFormat format;
            format.setProperty(StandsFor, int(mark));
            cursor.mergeCharFormat(format);
        }
        document.setUndoRedoEnabled(undo);
    }
    document.setModified(false);
    return decoded.encoding;
}

Result<QString> saveTarget(const QString &path)
{
    if (path.isEmpty()) {
        return Failure{
            QCoreApplication::translate("DocumentFile", "no file is chosen in the PC panel")};
    }
    QString target = path;
    const QFileInfo link(path);
    if (link.isSymbolicLink()) {
        // The link stays; what it points to is written, and only when it is there.
        target = link.canonicalFilePath();
        if (target.isEmpty()) {
            return Failure{QCoreApplication::translate("DocumentFile",
                                                       "it is a link to %1, which does not exist")
                               .arg(PathText::native(link.symLinkTarget()))};
        }
        target = PathText::native(target);
    }
    const QFileInfo file(target);
    if (file.isDir())
        return Failure{QCoreApplication::translate("DocumentFile", "it is a folder")};
    if (file.exists() && !file.isFile())
        return Failure{QCoreApplication::translate("DocumentFile", "it is not a regular file")};
    return target;
}

Status save(const QTextDocument &document, const QString &path, const Encoding &encoding,
            Origin *origin)
{
    const auto failed = [](const QString &why) {
        return Failure{why};
    };
    const Result<QString> target = saveTarget(path);
    if (!target)
        return failed(target.reason());
    // Saving replaces the file by renaming a new one over it, which the folder would allow: a
    // file marked read-only, or one this user may not write, is refused before that.
    const QFileInfo info(*target);
    if (info.exists() && (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner)))
        return failed(QCoreApplication::translate("DocumentFile", "the file is read-only"));

    const QString text = rawText(document);
    // Unbuffered: every write reaches the file at once, and its failure is seen here.
    NewFile file(*target);
    if (const Status opened = file.open(); !opened)
        return failed(opened.reason());
    // Paragraph marks and line breaks are written as CR LF, long lines in pieces.
    TextWriter writer(file.device(), encoding);
    Breaks breaks(text);
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype lineEnd = breaks.next(at);
        qsizetype end = std::min(lineEnd, at + Piece);
        if (end < lineEnd && text[end - 1].isHighSurrogate())
            ++end;
        writer.append(QStringView(text).sliced(at, end - at));
        if (end == lineEnd && lineEnd < text.size()) {
            writer.lineEnd();
            ++end;
        }
        at = end;
    }
    if (const Status written = writer.finish(); !written)
        return written;
    if (const Status committed = file.commit(); !committed)
        return committed;
    // Taken after the rename, which moves the file's status change time.
    if (origin && isSameFile(*target, origin->path))
        origin->stamp = stampOf(*target);
    return {};
}

} // namespace DocumentFile
