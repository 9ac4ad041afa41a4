#pragma once

#include "app/CompanyLogin.h"

#include <gtest/gtest.h>

namespace qor::test {

// Logs a demo user (password "demo") in to the company as the shell does for
// command, publishing the login context.
inline services::SessionPtr LogInAs(const QString& company, const char* user,
                                    app::Command command = app::Command::Shell) {
    app::ShellOptions options;
    options.command = command;
    options.database = company;
    options.user = user;
    options.password = "demo";
    options.passwordGiven = true;
    QString error;
    services::SessionPtr session = app::OpenCompanySession(options, false, &error);
    EXPECT_TRUE(session) << error.toStdString();
    return session;
}

}  // namespace qor::test
