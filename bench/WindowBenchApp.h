#pragma once
// The application of a benchmark that shows windows: offscreen unless a platform is chosen, and numbers in
// one English format whatever the machine's locale, so that every run reads and shows the same texts.

#include <QApplication>
#include <QLocale>

class WindowBenchApp : public QApplication
{
public:
    WindowBenchApp(int &argc, char **argv) : QApplication(offscreenUnlessChosen(argc), argv)
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

private:
    // Runs before the application reads the platform's name.
    static int &offscreenUnlessChosen(int &argc)
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }
};
