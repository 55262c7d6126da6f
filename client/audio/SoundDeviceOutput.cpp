// Playback on the default audio output: one sink per sound, flushed (not drained) when a
// new sound cuts the old one off.
#include "client/audio/SoundDeviceOutput.h"

#include "client/SoundConverter.h"
#include "client/SoundLog.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioSink>
#include <QLoggingCategory>
#include <QMediaDevices>

namespace {

// The first device query starts Qt's sound-server connection, which warns on stderr when
// no server runs. A machine without sound is normal for this game (it plays silently),
// so that one warning is kept out of the user's terminal; every other message passes.
QtMessageHandler g_previousHandler = nullptr;

void quietServerWarning(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("PulseAudioService:"))) {
        qCDebug(lcSound) << "sound server:" << message;
        return;
    }
    // Qt hands back its default handler when none was installed, so there is always one.
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

QAudioDevice defaultOutputDevice()
{
    static bool queried = false;
    if (queried)
        return QMediaDevices::defaultAudioOutput();
    queried = true;
    g_previousHandler = qInstallMessageHandler(&quietServerWarning);
    QAudioDevice device = QMediaDevices::defaultAudioOutput();
    qInstallMessageHandler(g_previousHandler);
    g_previousHandler = nullptr;
    return device;
}

QAudioFormat int16Format(int sampleRate, int channels)
{
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(channels);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}
}  // namespace

SoundDeviceOutput::SoundDeviceOutput(QObject *parent)
    : QObject(parent)
{
}

SoundDeviceOutput::~SoundDeviceOutput()
{
    stop();
}

void SoundDeviceOutput::start(const QString &name, const DecodedSound &sound)
{
    stop();
    if (sound.frameCount() == 0)
        return;
    const QAudioDevice device = defaultOutputDevice();
    if (device.isNull()) {
        // A machine without sound plays nothing; say so once, not for every sound.
        if (!m_reportedNoDevice)
            qCDebug(lcSound) << "no audio output device; sounds stay silent";
        m_reportedNoDevice = true;
        return;
    }

    QAudioFormat format = int16Format(sound.sampleRate, sound.channels);
    QByteArray pcm = sound.pcm;
    if (!device.isFormatSupported(format)) {
        const QAudioFormat preferred = device.preferredFormat();
        format = int16Format(preferred.sampleRate(), preferred.channelCount());
        if (!device.isFormatSupported(format)) {
            qCDebug(lcSound) << "the audio output takes no 16-bit format; not playing" << name;
            return;
        }
        pcm = SoundConverter::convert(sound, format.sampleRate(), format.channelCount()).pcm;
    }

    // A fresh sink per sound: a sink stopped and started again was seen to hold its new
    // data back for over a second before the sound server began to play it.
    m_sink = std::make_unique<QAudioSink>(device, format);
    connect(m_sink.get(), &QAudioSink::stateChanged, this, &SoundDeviceOutput::onStateChanged);
    m_buffer.setData(pcm);
    m_buffer.open(QIODevice::ReadOnly);
    m_sink->start(&m_buffer);
    if (m_sink->error() != QAudio::NoError) {
        qCDebug(lcSound) << "the audio output refused" << name << m_sink->error();
        releaseSink();
    }
}

void SoundDeviceOutput::stop()
{
    releaseSink();
}

void SoundDeviceOutput::alert()
{
    // The alert needs a GUI application; a console host has no desktop to beep on.
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::beep();
}

bool SoundDeviceOutput::isPlaying() const
{
    return m_sink && m_sink->state() == QAudio::ActiveState;
}

void SoundDeviceOutput::onStateChanged()
{
    if (!m_sink)
        return;
    if (m_sink->error() != QAudio::NoError && m_sink->error() != QAudio::UnderrunError)
        qCDebug(lcSound) << "audio output error" << m_sink->error();
    // The sink runs dry once the whole buffer has been handed to the device. It stays open
    // (idle) until the next sound rather than being closed here, which could cut the last
    // milliseconds still queued in the sound server.
    if (m_sink->state() == QAudio::IdleState && m_buffer.isOpen() && m_buffer.atEnd())
        Q_EMIT finished();
}

void SoundDeviceOutput::releaseSink()
{
    if (m_sink) {
        m_sink->disconnect(this);
        // Drop what is queued so the cut-off is immediate rather than drained.
        m_sink->reset();
        m_sink->stop();
        m_sink.reset();
    }
    m_buffer.close();
}
