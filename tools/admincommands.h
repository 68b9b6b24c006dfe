#pragma once

#include "tools/admincommand.h"

// The commands of dorpak-admin that live in files of their own; the table
// of commands in dorpak_admin.cpp names each of them.
namespace tools {

// filecommands.cpp: the yearly file as a whole.
extern const AdminCommand NewYearCommand;
extern const AdminCommand BackupCommand;
extern const AdminCommand RestoreCommand;
extern const AdminCommand CheckCommand;

// accesscommands.cpp: getting back into a file.
extern const AdminCommand ResetPasswordCommand;
extern const AdminCommand LoginRequiredCommand;

} // namespace tools
