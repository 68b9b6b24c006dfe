#include "letterprint.h"

#include "tqrpgidyaz.h"

namespace letters {

report::PrintOutcome printLetter(TQRPGIDYAZ& layout, const QByteArray& letter, const QImage& emblem,
                                 const QString& previewSetting, report::PrintDialogKind dialog,
                                 QWidget* caller, std::function<void()> afterPreview)
{
    const QByteArray previousLetter = layout.letter();
    const QImage previousLogo = layout.logo();
    layout.setLetter(letter);
    if (!emblem.isNull())
        layout.setLogo(emblem);
    report::PrintOutcome outcome =
        report::printLayout(layout, previewSetting, dialog, report::PreviewChoice::BySetting,
                            caller, std::move(afterPreview));
    if (!outcome.printed && outcome.preview.isNull()) {
        // The dialog was cancelled: the layout is as it was.
        layout.setLetter(previousLetter);
        layout.setLogo(previousLogo);
    }
    return outcome;
}

} // namespace letters
