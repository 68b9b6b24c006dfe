// A letter of 50 pages: read from its RTF (as a template is, and as the
// editor and the printed letter do it into their document), written back
// to RTF as the editor stores it, against loading the same text as plain
// text into a document, and the letter editor's own loading of both.

#include "letters/letterdocument.h"
#include "letters/richeditor.h"
#include "letters/rtfreader.h"
#include "letters/rtftextdocument.h"
#include "letters/rtfwriter.h"

#include <QApplication>
#include <QTextDocument>
#include <QTextEdit>

#include <benchmark/benchmark.h>

namespace {

// About 50 A4 pages at 12 points: 770 paragraphs of three lines, in
// Turkish, with bold, italic and coloured runs, a bulleted list every
// twenty paragraphs, centred headings and indented first lines.
const QByteArray& fiftyPages()
{
    static const QByteArray rtf = [] {
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1254\\deff0\\deflang1055{\\fonttbl"
                         "{\\f0\\froman\\fcharset162 Times New Roman;}"
                         "{\\f1\\fswiss\\fcharset162 Arial;}{\\f2\\fcharset2 Symbol;}}\r\n"
                         "{\\colortbl ;\\red192\\green0\\blue0;}\r\n\\viewkind4\\uc1\r\n";
        for (int i = 0; i < 770; ++i) {
            if (i % 20 == 0) {
                out += "\\pard\\qc\\sb240\\sa120\\b\\f1\\fs28 B\\'d6L\\'dcM " +
                       QByteArray::number(i / 20 + 1) + "\\b0\\par\r\n";
                for (int b = 0; b < 3; ++b)
                    out += "{\\pntext\\f2\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0"
                           "{\\pntxtb\\'b7}}\\pard\\fi-360\\li720\\f0\\fs24 Madde "
                           "\\'e7al\\'fd\\'fema\\'f0\\'fd ve \\'f6\\'e7\\'fcnc\\'fc "
                           "ad\\'fdm\\par\r\n";
            }
            out += "\\pard\\qj\\fi709\\f0\\fs24 \\'ddlgi yaz\\'fdn\\'fdz incelenmi\\'fe "
                   "olup {\\b belediyemiz s\\'fdn\\'fdrlar\\'fd} i\\'e7inde kalan yol, "
                   "kald\\'fdr\\'fdm ve {\\i ayd\\'fdnlatma} \\'e7al\\'fd\\'femalar\\'fd "
                   "program\\'fdna al\\'fdnm\\'fd\\'fet\\'fdr. {\\cf1 \\u304?\\'fe} "
                   "tamamland\\'fd\\'f0\\'fdnda ilgililere bilgi verilecek; gere\\'f0ini "
                   "bilgilerinize rica ederim. Paragraf " +
                   QByteArray::number(i) + ".\\par\r\n";
        }
        return out + "}\r\n";
    }();
    return rtf;
}

const QString& fiftyPagesText()
{
    static const QString text = rtf::plainTextOf(fiftyPages());
    return text;
}

void BM_ReadRtf(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(rtf::read(fiftyPages()));
    state.SetBytesProcessed(state.iterations() * fiftyPages().size());
    state.counters["rtf_bytes"] = double(fiftyPages().size());
    state.counters["characters"] = double(fiftyPagesText().size());
    // The pages it fills on A4 with 20 mm margins, at 96 pixels to the inch.
    QTextDocument doc;
    letters::loadLetter(fiftyPages(), doc);
    doc.setPageSize(QSizeF(170 / 25.4 * 96, 257 / 25.4 * 96));
    state.counters["pages"] = doc.pageCount();
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond);

void BM_ReadRtfIntoDocument(benchmark::State& state)
{
    for (auto _ : state) {
        QTextDocument doc;
        letters::loadLetter(fiftyPages(), doc);
        benchmark::DoNotOptimize(doc.characterCount());
    }
}
BENCHMARK(BM_ReadRtfIntoDocument)->Unit(benchmark::kMillisecond);

void BM_LoadPlainTextIntoDocument(benchmark::State& state)
{
    for (auto _ : state) {
        QTextDocument doc;
        doc.setPlainText(fiftyPagesText());
        benchmark::DoNotOptimize(doc.characterCount());
    }
}
BENCHMARK(BM_LoadPlainTextIntoDocument)->Unit(benchmark::kMillisecond);

void BM_WriteRtfFromDocument(benchmark::State& state)
{
    QTextDocument doc;
    letters::loadLetter(fiftyPages(), doc);
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray out = letters::storedText(doc);
        size = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = double(size);
}
BENCHMARK(BM_WriteRtfFromDocument)->Unit(benchmark::kMillisecond);

void BM_WriteRtf(benchmark::State& state)
{
    const rtf::Document d = rtf::read(fiftyPages()).document;
    for (auto _ : state)
        benchmark::DoNotOptimize(rtf::write(d));
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond);

// The letter editor as the clerk opens it: read, shown and laid out.
void BM_EditorLoadsTheLetter(benchmark::State& state)
{
    letters::RichEditor editor;
    editor.resize(800, 600);
    editor.show();
    for (auto _ : state) {
        editor.load(fiftyPages());
        benchmark::DoNotOptimize(editor.textArea()->document()->pageCount());
    }
}
BENCHMARK(BM_EditorLoadsTheLetter)->Unit(benchmark::kMillisecond);

void BM_TextAreaLoadsThePlainText(benchmark::State& state)
{
    QTextEdit edit;
    edit.resize(800, 600);
    edit.show();
    for (auto _ : state) {
        edit.setPlainText(fiftyPagesText());
        benchmark::DoNotOptimize(edit.document()->pageCount());
    }
}
BENCHMARK(BM_TextAreaLoadsThePlainText)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
