#include "errors.h"

#include "errorlog.h"
#include "prompter.h"

#include "db/dberror.h"

namespace core {
namespace {

EndPhase phase = EndPhase::Running;

ErrorCause causeOf(const db::DbError& e)
{
    switch (e.fault()) {
    case db::DbError::Fault::ServerUnreachable:
        return ErrorCause::ServerUnreachable;
    case db::DbError::Fault::RecordInUse:
        return ErrorCause::RecordInUse;
    case db::DbError::Fault::WorkLost:
        return ErrorCause::WorkLost;
    case db::DbError::Fault::WriteFailed:
        return ErrorCause::WriteFailed;
    case db::DbError::Fault::Damaged:
        return ErrorCause::DatabaseDamaged;
    case db::DbError::Fault::NotADatabase:
        return ErrorCause::NotADatabase;
    case db::DbError::Fault::Other:
        break;
    }
    return ErrorCause::None;
}

QString openCause(const db::DbOpenError& e)
{
    using Kind = db::DbOpenError::Kind;
    // The error box adds what the program does once the server answers.
    if (e.kind() == Kind::ServerUnreachable)
        return causeText(ErrorCause::ServerUnreachable);
    return openFailureText(e.kind());
}

} // namespace

QString causeText(ErrorCause cause)
{
    switch (cause) {
    case ErrorCause::None:
        break;
    case ErrorCause::ServerUnreachable:
        return QStringLiteral(
            "Veritabanı sunucusuna ulaşılamıyor. Sunucunun ve ağ bağlantısının çalıştığını "
            "denetleyin; sunucu yeniden yanıt verdiğinde program kendiliğinden bağlanır, "
            "işlemi yeniden deneyebilirsiniz.");
    case ErrorCause::RecordInUse:
        return QStringLiteral("Kayıt şu anda başka bir iş istasyonunda kullanılıyor. "
                              "Yazdıklarınız ekranda duruyor; biraz bekleyip yeniden deneyin.");
    case ErrorCause::WorkLost:
        return QStringLiteral(
            "Sunucuyla bağlantı koptuğu için bu ekranda yapılan ve henüz kaydedilmemiş "
            "değişiklikler kayboldu. Ekrandan vazgeçip (F6-Vazgeç ya da ESC-Çıkış) işlemi "
            "yeniden yapın.");
    case ErrorCause::NotAPicture:
        return QStringLiteral("Dosya bir resim dosyası değil ya da okunamıyor.");
    case ErrorCause::DateIncomplete:
        return QStringLiteral("Tarih eksik ya da geçersiz girilmiş. Tarihi gün.ay.yıl olarak "
                              "tamamlayın ya da silin.");
    case ErrorCause::WriteFailed:
        return QStringLiteral("Dosya yazılamadı: disk dolu ya da klasöre yazma izni yok.");
    case ErrorCause::DatabaseDamaged:
        return QStringLiteral("Veritabanı dosyası bozuk. Sistem yöneticinize haber verin; dosya "
                              "\"dorpak-admin check\" ile denetlenip yedekten geri yüklenebilir.");
    case ErrorCause::NotADatabase:
        return QStringLiteral("Dosya bir DORPAK veritabanı dosyası değil.");
    case ErrorCause::PrinterFailed:
        return QStringLiteral(
            "Yazıcı çalıştırılamadı; yazıcının açık ve bağlı olduğunu denetleyin.");
    }
    return {};
}

QString openFailureText(db::DbOpenError::Kind kind)
{
    using Kind = db::DbOpenError::Kind;
    switch (kind) {
    case Kind::FileMissing:
        return QStringLiteral("Veritabanı dosyası bulunamadı.");
    case Kind::FolderMissing:
        return QStringLiteral("Veritabanı yolu bulunamadı.");
    case Kind::ServerUnreachable:
        return QStringLiteral("Veritabanı sunucusuna ulaşılamıyor.");
    case Kind::ClientLibraryMissing:
        return QStringLiteral("Firebird istemci kitaplığı (libfbclient) bulunamadı.");
    case Kind::LoginRefused:
        return QStringLiteral("Sunucu kullanıcı adını ya da şifreyi kabul etmedi.");
    // The same words as the error box.
    case Kind::NotADatabase:
        return causeText(ErrorCause::NotADatabase);
    case Kind::Damaged:
        return causeText(ErrorCause::DatabaseDamaged);
    case Kind::TooOld:
        return QStringLiteral(
            "Veritabanı dosyası, programın yükseltebileceğinden daha eski bir sürümle yapılmış.");
    case Kind::TooNew:
        return QStringLiteral("Veritabanı dosyası programdan daha yeni bir sürümle yapılmış.");
    case Kind::Other:
        break;
    }
    return QStringLiteral("Veritabanı açılamadı.");
}

ErrorReport describeError(std::exception_ptr error)
{
    QString cause;
    QString details;
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const db::DbOpenError& e) {
        cause = openCause(e);
        details = e.message();
    } catch (const db::DbError& e) {
        cause = causeText(causeOf(e));
        details = e.message();
    } catch (const ActionError& e) {
        cause = causeText(e.cause());
        details = QString::fromStdString(e.what());
    } catch (const std::exception& e) {
        details = QString::fromStdString(e.what());
    } catch (...) {
        details = QStringLiteral("unknown error");
    }
    ErrorReport report;
    report.text = cause.isEmpty() ? ErrorHeading : ErrorHeading + QLatin1Char('\n') + cause;
    report.details = details;
    return report;
}

void reportUnhandledError()
{
    if (phase == EndPhase::Ended)
        return;
    const ErrorReport report = describeError(std::current_exception());
    logError(report);
    if (phase == EndPhase::Running)
        Prompter::current().error(report.text, report.details);
}

void setEndPhase(EndPhase value)
{
    phase = value;
}

EndPhase endPhase()
{
    return phase;
}

bool guarded(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const SilentAbort&) {
        return false;
    } catch (...) {
        reportUnhandledError();
        return false;
    }
}

} // namespace core
