#pragma once

#include "core/tdm.h"

#include <QString>
#include <QVariant>

#include <optional>

// The statements and rules behind the user and rights administration and
// the password change. None of them commits: what they write stays pending
// in the one transaction until the next commit point anywhere in the program
// or its end.

namespace useraccess {

// The built-in vendor account: its name cannot be changed, it cannot be
// deleted, its rights cannot be edited, and only it may change itself.
inline const QString VendorAccount = QStringLiteral("VELOR");

inline const QString WrongCurrentPassword = QStringLiteral("Yanlış Şifre Girdiniz...");
inline const QString VendorNotChangeable =
    QStringLiteral("DİKKAT! Bu Kullanıcı üzerinde değişiklik yapamazsınız.");
inline const QString VendorNotDeletable = QStringLiteral("VELOR Kullanıcısını Silemezsiniz....");
inline const QString ActiveUserNotDeletable =
    QStringLiteral("DİKKAT! Aktif Kullanıcı Silinemez....");
inline const QString DeleteUserQuestion =
    QStringLiteral("BU KULLANICI SİLİNECEKTİR ONAYLIYORMUSUNUZ");
inline const QString NoRightToEdit = QStringLiteral("İşlem Yapma Yetkiniz Yoktur..");
inline const QString VendorRightsNotEditable =
    QStringLiteral("VELOR Kullanıcısının Yetkilerini Değiştiremezsiniz....");
inline const QString UserNameRefused = QStringLiteral("KULLANICI ADI HATALI..");
inline const QString PasswordsDiffer = QStringLiteral("ŞİFRENİZİ KONTROL EDİNİZ..");
inline const QString UserNameTaken = QStringLiteral("BU KULLANICI ADI KAYITLIDIR..");
inline const QString OldPasswordWrong = QStringLiteral("ESKİ ŞİFRE HATALI..");
inline const QString UserRowMissing = QStringLiteral("DİKKAT! Kullanıcı Kaydı Bulunamadı..");
// A password some of whose letters do not come back from the stored form:
// it could never be typed again at the login.
inline const QString PasswordNotStorable = QStringLiteral(
    "DİKKAT! Şifrede Kullanılamayan Harf Var (ş, ı gibi). Başka Bir Şifre Giriniz..");

// The characters of a password: PSSWD holds its encoded form, as long.
inline constexpr int PasswordLength = 5;

// The stored (encoded) PSSWD of the user of that name, from the scratch
// query; nothing when no row has the name.
std::optional<QString> storedPassword(db::Query& scratch, const QString& userName);

// The HNO of the user of that name, from the scratch query; nothing when no
// row has the name.
std::optional<int> userNumber(db::Query& scratch, const QString& userName);

// Whether another user than exceptHno (every user, when none is given) has
// the name; the comparison is the database's, letter case included.
bool userNameTaken(db::Query& scratch, const QString& name, std::optional<int> exceptHno);

// The highest HNO plus one; 1 for an empty table.
int nextUserNo(db::Query& scratch);

// One row of USERS as the user form writes it; PSSWD already encoded.
struct UserRow {
    int HNO = 0;
    QString USR;
    QString PSSWD;
    QString ACIK;
    QString ACIK1;
    int OZEL = 0;
};
void insertUser(db::Query& scratch, const UserRow& row);
// Returns the rows updated: 0 when the row of HNO is gone.
quint64 updateUser(db::Query& scratch, const UserRow& row);

// The rights a new user starts with: one row for each code user 1 holds,
// with access and change but neither add nor delete, and no access to user
// administration (code 22). Reads on the first scratch query and writes on
// the second.
void giveDefaultRights(core::TDM& dm, int hno);

// Deletes the user's rights and the user.
void deleteUser(db::Query& scratch, int hno);

// The two flags the rights editor changes; D and S are never changed.
// Returns the rows updated: 0 when the right is gone.
quint64 updateRightFlags(db::Query& scratch, int hno, int kod, const QString& g, const QString& k);

// Stores a new, encoded password for the user of that number and name.
void updatePassword(db::Query& scratch, int hno, const QString& userName, const QString& encoded);

} // namespace useraccess
