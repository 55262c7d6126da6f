#!/usr/bin/env python3
"""Wraps an MPEG Layer III stream in a RIFF WAVE file.

Usage: wrap_mp3.py STREAM.mp3 SOURCE.wav OUT.wav

The fmt chunk is the MPEGLAYER3WAVEFORMAT layout (format tag 0x0055), and the fact chunk
holds the length in samples of SOURCE.wav, the audio before encoding. The stream must hold
no ID3 or LAME/Xing tag frame (lame -t), so that every frame is audio.
"""
import struct
import sys
import wave

# Bit rates in kbit/s and sample rates by MPEG version; enough for the header of frame one.
BITRATES = {
    'mpeg1': [0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320],
    'mpeg2': [0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160],
}
RATES = {3: [44100, 48000, 32000], 2: [22050, 24000, 16000], 0: [11025, 12000, 8000]}


def first_frame(stream):
    if len(stream) < 4 or stream[0] != 0xFF or (stream[1] & 0xE0) != 0xE0:
        sys.exit('wrap_mp3.py: the stream does not start with an MPEG frame')
    version = (stream[1] >> 3) & 3
    layer = (stream[1] >> 1) & 3
    if layer != 1 or version not in RATES:
        sys.exit('wrap_mp3.py: not an MPEG Layer III stream')
    bitrate = BITRATES['mpeg1' if version == 3 else 'mpeg2'][stream[2] >> 4] * 1000
    rate = RATES[version][(stream[2] >> 2) & 3]
    channels = 1 if (stream[3] >> 6) == 3 else 2
    per_frame = 144 if version == 3 else 72
    return rate, channels, bitrate, per_frame * bitrate // rate


def chunk(name, body):
    pad = b'\0' if len(body) % 2 else b''
    return name + struct.pack('<I', len(body)) + body + pad


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    stream = open(sys.argv[1], 'rb').read()
    with wave.open(sys.argv[2], 'rb') as source:
        length = source.getnframes()
    rate, channels, bitrate, block = first_frame(stream)
    fmt = struct.pack('<HHIIHHH', 0x0055, channels, rate, bitrate // 8, 1, 0, 12)
    # wID = MPEGLAYER3_ID_MPEG, fdwFlags = MPEGLAYER3_FLAG_PADDING_ISO, nBlockSize,
    # nFramesPerBlock, nCodecDelay (lame's encoder delay plus the decoder's).
    fmt += struct.pack('<HIHHH', 1, 0, block, 1, 1105)
    body = b'WAVE' + chunk(b'fmt ', fmt) + chunk(b'fact', struct.pack('<I', length))
    body += chunk(b'data', stream)
    with open(sys.argv[3], 'wb') as out:
        out.write(b'RIFF' + struct.pack('<I', len(body)) + body)


if __name__ == '__main__':
    main()
