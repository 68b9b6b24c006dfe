#pragma once

#include "report/printrule.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

class QWidget;

namespace letters {

class TQRPGIDYAZ;

// Prints a letter through the print rule, as both of its places do: the
// letter editor's "F7-Yazdır" with the system print dialog, the outgoing
// entry's "Yazdır" with the layout's printer set-up. After the dialog the
// layout takes the emblem when there is one (else its frame keeps the one
// an earlier printing gave it), then the preview comes when previewSetting
// is "E", else the letter goes straight to the printer. A cancelled dialog
// prints nothing and changes nothing.
report::PrintOutcome printLetter(TQRPGIDYAZ& layout, const QByteArray& letter, const QImage& emblem,
                                 const QString& previewSetting, report::PrintDialogKind dialog,
                                 QWidget* caller, std::function<void()> afterPreview = {});

} // namespace letters
