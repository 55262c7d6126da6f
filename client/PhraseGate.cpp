// The phrase buttons' gate; see PhraseGate.h.
#include "client/PhraseGate.h"

PhraseGate::PhraseGate(int milliseconds, QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(milliseconds);
    connect(&m_timer, &QTimer::timeout, this, &PhraseGate::open);
}

void PhraseGate::close()
{
    m_open = false;
    m_timer.start();
}

void PhraseGate::open()
{
    m_timer.stop();
    const bool wasClosed = !m_open;
    m_open = true;
    if (wasClosed)
        Q_EMIT opened();
}
