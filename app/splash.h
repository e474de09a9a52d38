#pragma once

#include "form.h"

class QTimer;
class TImage;
class TLabel;
class TPanel;

// The splash screen: the maker's banner and three lines about the maker, on top of every
// other window for seven seconds after start.
class TSplashScreen : public TForm
{
    Q_OBJECT

public:
    explicit TSplashScreen(QWidget *parent = nullptr);

    TImage *Image1;
    TPanel *Panel1;
    TLabel *Label4;
    TLabel *Label1;
    TLabel *Label5;
    QTimer *Timer1;

    void Timer1Timer(QObject *Sender);
};

extern TSplashScreen *SplashScreen;
