#pragma once
// A main window under test: scripted dialogs, its own Documents folder, and
// lookup of the window's controls by their names.
#include "editor/MainForm.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <memory>

class MainFormFixture : public ::testing::Test {
protected:
    void Create(QStringList arguments = {})
    {
        form.reset();
        form = std::make_unique<TMainForm>(dialogs, std::move(arguments), documents);
    }
    // A new window, shown: it starts as the program does.
    void CreateAndShow(QStringList arguments = {})
    {
        Create(std::move(arguments));
        form->show();
    }

    template <class T>
    T* Find(const QString& name)
    {
        T* found = form->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    TScriptedDialogs dialogs;
    QString documents = TempDir();
    std::unique_ptr<TMainForm> form;
};
