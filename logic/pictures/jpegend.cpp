#include "logic/pictures/jpegend.h"

#include <QIODevice>

#include <array>
#include <cstring>

namespace vellumark {

namespace {

// Reads a device byte by byte through a small buffer.
class ByteReader
{
public:
    explicit ByteReader(QIODevice &device)
        : m_device(device)
    { }

    // False at the end of the data.
    bool next(unsigned char &byte)
    {
        if (m_position == m_size && !refill())
            return false;
        byte = m_buffer[m_position++];
        return true;
    }

    bool skip(qint64 count)
    {
        const qint64 buffered = m_size - m_position;
        if (count <= buffered) {
            m_position += count;
            return true;
        }
        count -= buffered;
        m_position = m_size;
        while (count > 0) {
            if (!refill())
                return false;
            const qint64 step = std::min(count, m_size);
            m_position = step;
            count -= step;
        }
        return true;
    }

    // Moves to the next 0xFF byte; false when there is none.
    bool skipToMarkerByte()
    {
        for (;;) {
            const void *found
                = std::memchr(m_buffer.data() + m_position, 0xFF, size_t(m_size - m_position));
            if (found) {
                m_position = static_cast<const unsigned char *>(found) - m_buffer.data();
                return true;
            }
            m_position = m_size;
            if (!refill())
                return false;
        }
    }

private:
    bool refill()
    {
        m_size = m_device.read(reinterpret_cast<char *>(m_buffer.data()), qint64(m_buffer.size()));
        m_position = 0;
        if (m_size < 0)
            m_size = 0;
        return m_size > 0;
    }

    QIODevice &m_device;
    std::array<unsigned char, 64 * 1024> m_buffer {};
    qint64 m_size = 0;
    qint64 m_position = 0;
};

constexpr unsigned char StartOfImage = 0xD8;
constexpr unsigned char EndOfImage = 0xD9;
constexpr unsigned char StartOfScan = 0xDA;

bool isStandalone(unsigned char marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); // TEM, RSTn
}

// Reads past the 0xFF fill bytes to the marker code.
bool readMarkerCode(ByteReader &reader, unsigned char &code)
{
    do {
        if (!reader.next(code))
            return false;
    } while (code == 0xFF);
    return true;
}

// Skips entropy-coded data up to the next marker that is not a restart
// marker or a stuffed zero; leaves its code in code.
bool skipScanData(ByteReader &reader, unsigned char &code)
{
    for (;;) {
        if (!reader.skipToMarkerByte())
            return false;
        unsigned char ff;
        reader.next(ff);
        if (!readMarkerCode(reader, code))
            return false;
        if (code != 0x00 && !(code >= 0xD0 && code <= 0xD7))
            return true;
    }
}

} // namespace

bool JpegReachesEnd(QIODevice &device)
{
    ByteReader reader(device);
    unsigned char byte = 0;
    if (!reader.next(byte) || byte != 0xFF || !reader.next(byte) || byte != StartOfImage)
        return false;

    unsigned char code = 0;
    bool haveCode = false; // a scan already read the next marker's code
    for (;;) {
        if (!haveCode) {
            if (!reader.next(byte) || byte != 0xFF || !readMarkerCode(reader, code))
                return false;
        }
        haveCode = false;
        if (code == EndOfImage)
            return true;
        if (isStandalone(code))
            continue;
        unsigned char high, low;
        if (!reader.next(high) || !reader.next(low))
            return false;
        const int length = (high << 8) | low;
        if (length < 2 || !reader.skip(length - 2))
            return false;
        if (code == StartOfScan) {
            if (!skipScanData(reader, code))
                return false;
            haveCode = true;
        }
    }
}

} // namespace vellumark
