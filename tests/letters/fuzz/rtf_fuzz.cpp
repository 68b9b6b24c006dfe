// The fuzz target of the RTF reader (libFuzzer, built by scripts/fuzz-rtf.sh
// with clang). Whatever the input, reading ends without a crash, in time
// and memory bounded by the input, and what the writer makes of the result
// reads back, undamaged, as the same text, also through the editor's
// document.

#include "letters/rtfreader.h"
#include "letters/rtftextdocument.h"
#include "letters/rtfwriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // fonts of the editor's document
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const rtf::ReadResult first = rtf::read(bytes);
    const QString text = rtf::plainText(first.document);
    (void)rtf::plainTextOf(bytes);

    const QByteArray written = rtf::write(first.document);
    const rtf::ReadResult again = rtf::read(written);
    if (again.status != rtf::ReadStatus::Ok || rtf::plainText(again.document) != text)
        std::abort();

    QTextDocument editor;
    rtf::toTextDocument(first.document, editor);
    const rtf::Document edited = rtf::fromTextDocument(editor);
    if (rtf::read(rtf::write(edited)).status != rtf::ReadStatus::Ok)
        std::abort();
    return 0;
}
