#include "form.h"

#include "activewindow.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>

TForm::TForm(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags | Qt::Window)
{
    StartTrackingActiveWindows();
}

TForm::~TForm()
{
    if (m_modalLoop)
        m_modalLoop->exit();
}

bool TForm::event(QEvent *event)
{
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate && PreviousActiveWindow() != this)
        RaiseNotifyEvent(OnActivate, this);
    return result;
}

int TForm::ShowModal()
{
    m_modalResult = 0;
    const Qt::WindowModality modality = windowModality();
    const bool wasVisible = isVisible();
    if (wasVisible)
        hide();
    setWindowModality(Qt::ApplicationModal);
    show();

    QEventLoop loop;
    m_modalLoop = &loop;
    QPointer<TForm> self(this);
    loop.exec(QEventLoop::DialogExec);
    if (!self)
        return 0;
    m_modalLoop = nullptr;
    hide();
    setWindowModality(modality);
    return m_modalResult;
}

void TForm::setModalResult(int result)
{
    m_modalResult = result;
    if (result != 0 && m_modalLoop)
        m_modalLoop->exit();
}

void TForm::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (m_modalLoop)
        m_modalLoop->exit();
}
