#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace widgets {

// The application error handler's message: "BİR HATA OLUŞTU:" and what
// happened, and a button "Ayrıntılar" that opens the error's own text below
// it, for the clerk who passes it on to the administrator.
class ErrorBox : public QDialog {
    Q_OBJECT
public:
    ErrorBox(const QString& text, const QString& details, QWidget* parent = nullptr);

    // Shows or hides the details, as the button does.
    void showDetails(bool shown);

private:
    QPushButton* m_detailsButton;
    QPlainTextEdit* m_details;
};

} // namespace widgets
