#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

// A private X display for the test, with no window manager on it: the plain
// desktop where the program itself must hand the keyboard from window to window.
// It takes a free display number of its own, never the user's display, and stops
// when the object goes, or with the test process should that die first.
class TXServer {
public:
    TXServer();
    ~TXServer();
    TXServer(const TXServer&) = delete;
    TXServer& operator=(const TXServer&) = delete;

    // Empty when the display is up; else why it is not.
    const QString& error() const { return FError; }
    // ":N", to be put into DISPLAY.
    const QString& display() const { return FDisplay; }

private:
    QProcess FServer;
    QString FDisplay;
    QString FError;
};
