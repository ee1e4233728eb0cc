// Mv100Transfer: the command sequences of Read, Write, Erase and Get Info.
#include "Mv100Transfer.h"

#include "HexText.h"
#include "MemoryImage.h"
#include "SettingsCodec.h"

#include <QCoreApplication>

#include <algorithm>

namespace {
using Answer = std::array<std::uint8_t, MV100::REPORT_IN_SIZE>;

constexpr unsigned UNLOCKED_WORD = 0xFFFF;
// Answer offsets of the LED answer: the lock-key byte, the LED block, the backlight block.
constexpr int LED_ANSWER_LOCK_KEYS = 4;
constexpr int LED_ANSWER_LED = 6;
constexpr int LED_ANSWER_BACKLIGHT = 14;
constexpr int ERASE_ANSWER_FLAG = 1;
constexpr int ERASE_ANSWER_DETAIL = 2;
constexpr int MOUSE_PAYLOAD_SIZE = 32;

// An answer buffer that reads as "locked" and "no erase error" when no answer arrives.
Answer prefilledAnswer()
{
    Answer answer {};
    answer[0] = 0xFF;
    return answer;
}

unsigned word(const Answer &answer, int offset)
{
    return unsigned(answer[offset]) | unsigned(answer[offset + 1]) << 8;
}

bool isLocked(const Answer &info)
{
    return word(info, MV100::INFO_LOCK_WORD) != UNLOCKED_WORD;
}

Mv100DeviceInfo infoOf(const Answer &answer, int version)
{
    Mv100DeviceInfo info;
    std::copy_n(answer.begin() + MV100::INFO_CUSTOM_DATA, MV100::CUSTOM_DATA_SIZE,
                info.customData.begin());
    info.locked = isLocked(answer);
    info.eraseCount = std::uint16_t(word(answer, MV100::INFO_ERASE_COUNT));
    info.serial = std::uint32_t(word(answer, MV100::INFO_SERIAL))
        | std::uint32_t(word(answer, MV100::INFO_SERIAL + 2)) << 16;
    info.version = version;
    return info;
}

// The digits of a field over a buffer of 0xFF: what the text leaves out stays 0xFF.
template<std::size_t N> std::array<std::uint8_t, N> hexFieldBytes(const QString &text)
{
    std::array<std::uint8_t, N> bytes;
    bytes.fill(0xFF);
    splitString(text, bytes.data(), int(N));
    return bytes;
}

void setPin(CMorvantide100 &device, const Mv100Transfer::PinBytes &pin)
{
    device.SetPin(pin.data(), pin.size());
}

// One progress step per block of the memory image while it lives.
class BlockProgress
{
public:
    BlockProgress(CMorvantide100 &device, const Mv100Transfer::Progress &step)
        : m_device(device)
    {
        if (step)
            m_device.SetProgressCallback([step](int) { step(); });
    }
    ~BlockProgress() { m_device.SetProgressCallback(nullptr); }
    BlockProgress(const BlockProgress &) = delete;
    BlockProgress &operator=(const BlockProgress &) = delete;

private:
    CMorvantide100 &m_device;
};
} // namespace

Mv100Transfer::Mv100Transfer(Progress progress)
    : m_progress(std::move(progress))
{ }

Mv100Transfer::~Mv100Transfer()
{
    Close();
}

bool Mv100Transfer::Open()
{
    if (m_device.Open() == 1)
        return true;
    m_device.Close();
    return false;
}

void Mv100Transfer::Close()
{
    m_device.Close();
}

void Mv100Transfer::step()
{
    if (m_progress)
        m_progress();
}

Mv100Transfer::PinBytes Mv100Transfer::pinBytes(const QString &text)
{
    const std::vector<unsigned char> bytes = hexStringToBytes(text);
    PinBytes pin {};
    std::copy_n(bytes.begin(), std::min(bytes.size(), pin.size()), pin.begin());
    return pin;
}

Mv100Transfer::PinBytes Mv100Transfer::newPinBytes(const QString &text)
{
    return hexFieldBytes<MV100::PIN_SIZE>(text);
}

// A version without device information reads as 0xCCCC and is compared like any other.
bool Mv100Transfer::knowsDebounce(int version)
{
    return (version & 0xFFFF) > MV100::DEBOUNCE_MIN_VERSION_EXCLUSIVE;
}

struct Mv100Transfer::RawRead
{
    Answer info = prefilledAnswer();
    int version = 0;
    Answer mouse {};
    Answer led {};
    bool hasDebounce = false;
    Answer debounce {};
    std::vector<unsigned char> image;
};

unsigned short Mv100Transfer::ReadRaw(const PinBytes &pin, RawRead &raw)
{
    // Without an answer the lock word would read as "locked": a silent device would be taken
    // for a locked one, whose only way out is an erase.
    if (m_device.ReadInfo(raw.info.data()) != MV100::STATUS_OK)
        return MV100::RESULT_OPEN;
    raw.version = m_device.GetVersion();
    step();
    if (isLocked(raw.info))
        return MV100::RESULT_LOCKED;

    setPin(m_device, pin);
    if (m_device.ReadMouse(raw.mouse.data()) != MV100::STATUS_OK)
        return MV100::RESULT_MOUSE;
    step();
    if (m_device.ReadLed(raw.led.data()) != MV100::STATUS_OK)
        return MV100::RESULT_LED;
    step();
    raw.hasDebounce = knowsDebounce(raw.version);
    if (raw.hasDebounce && m_device.ReadDebounce(raw.debounce.data()) != MV100::STATUS_OK)
        return MV100::RESULT_DEBOUNCE;
    step();

    int status;
    {
        const BlockProgress blocks(m_device, m_progress);
        status = m_device.ReadMemoryData();
    }
    if (status != MV100::STATUS_OK)
        return MV100::RESULT_MEMORY;
    raw.image = m_device.GetMemoryData();
    return MV100::RESULT_SUCCESS;
}

unsigned short Mv100Transfer::Read(const PinBytes &pin, Mv100Config &config, Mv100DeviceInfo *info)
{
    RawRead raw;
    const unsigned short result = ReadRaw(pin, raw);
    if (result != MV100::RESULT_SUCCESS)
        return result;

    // Only a complete read gets here: now the configuration takes the chip's content whole.
    Mv100Config read = config;
    MemoryImage::decode(raw.image.data(), raw.image.size(), read);
    Mv100Settings &s = read.settings();
    s.customData = bytesToHex(raw.info.data() + MV100::INFO_CUSTOM_DATA, MV100::CUSTOM_DATA_SIZE);
    std::copy_n(raw.mouse.begin() + MV100::ANSWER_DATA, MV100_BLOCK::MOUSE, s.mouse.begin());
    s.lockKeys = raw.led[LED_ANSWER_LOCK_KEYS];
    std::copy_n(raw.led.begin() + LED_ANSWER_LED, MV100_BLOCK::LED, s.led.begin());
    std::copy_n(raw.led.begin() + LED_ANSWER_BACKLIGHT, MV100_BLOCK::BACKLIGHT,
                s.backlight.begin());
    // The chip keeps the debounce time less one millisecond.
    if (raw.hasDebounce)
        s.debounce = std::uint8_t(std::min(int(raw.debounce[MV100::ANSWER_DATA]) + 1, 255));

    const auto zero = [](auto first, auto last) {
        return std::all_of(first, last, [](std::uint8_t b) { return b == 0; });
    };
    const auto ledData = raw.led.begin() + LED_ANSWER_LOCK_KEYS;
    m_lastReadAllZero = zero(raw.image.begin(), raw.image.end())
        && zero(raw.mouse.begin() + MV100::ANSWER_DATA,
                raw.mouse.begin() + MV100::ANSWER_DATA + MV100_BLOCK::MOUSE)
        && zero(ledData, raw.led.begin() + LED_ANSWER_BACKLIGHT + MV100_BLOCK::BACKLIGHT);

    s = s.normalized();
    config = read;
    if (info != nullptr)
        *info = infoOf(raw.info, raw.version);
    return MV100::RESULT_SUCCESS;
}

unsigned short Mv100Transfer::Verify(const Mv100Config &config, const PinBytes &pin,
                                     QString *difference)
{
    RawRead raw;
    const unsigned short result = ReadRaw(pin, raw);
    if (result != MV100::RESULT_SUCCESS)
        return result;

    const Mv100Settings &s = config.settings();
    const MemoryImage::Image image = MemoryImage::build(config);
    QString found;
    for (int block = 0; block < MV100::BLOCK_COUNT && found.isEmpty(); ++block) {
        const auto at = std::size_t(block) * MV100::BLOCK_SIZE;
        if (raw.image.size() < at + MV100::BLOCK_SIZE
            || !std::equal(image.begin() + std::ptrdiff_t(at),
                           image.begin() + std::ptrdiff_t(at + MV100::BLOCK_SIZE),
                           raw.image.begin() + std::ptrdiff_t(at)))
            found = QCoreApplication::translate("Mv100Transfer", "memory block %1").arg(block);
    }
    const auto differs = [](const auto &sent, const Answer &answer, int offset) {
        return !std::equal(sent.begin(), sent.end(), answer.begin() + offset);
    };
    const auto customData = hexFieldBytes<MV100::CUSTOM_DATA_SIZE>(s.customData);
    if (found.isEmpty() && differs(customData, raw.info, MV100::INFO_CUSTOM_DATA))
        found = QCoreApplication::translate("Mv100Transfer", "custom data");
    if (found.isEmpty() && raw.led[LED_ANSWER_LOCK_KEYS] != s.lockKeys)
        found = QCoreApplication::translate("Mv100Transfer", "lock keys");
    if (found.isEmpty() && differs(s.led, raw.led, LED_ANSWER_LED))
        found = QCoreApplication::translate("Mv100Transfer", "LED outputs");
    if (found.isEmpty() && differs(s.backlight, raw.led, LED_ANSWER_BACKLIGHT))
        found = QCoreApplication::translate("Mv100Transfer", "backlight");
    if (found.isEmpty() && differs(s.mouse, raw.mouse, MV100::ANSWER_DATA))
        found = QCoreApplication::translate("Mv100Transfer", "mouse");
    if (found.isEmpty() && raw.hasDebounce
        && int(raw.debounce[MV100::ANSWER_DATA]) + 1 != int(s.debounce))
        found = QCoreApplication::translate("Mv100Transfer", "debounce");
    if (difference != nullptr)
        *difference = found;
    return MV100::RESULT_SUCCESS;
}

unsigned short Mv100Transfer::Write(const Mv100Config &config, const PinBytes &pin, bool lock)
{
    m_lastAnswerLost = false;
    const Mv100Settings &s = config.settings();
    const PinBytes newPin = newPinBytes(s.newPin);
    const auto customData = hexFieldBytes<MV100::CUSTOM_DATA_SIZE>(s.customData);
    std::array<std::uint8_t, MOUSE_PAYLOAD_SIZE> mouse {};
    std::copy(s.mouse.begin(), s.mouse.end(), mouse.begin());

    Answer answer = prefilledAnswer();
    // A silent device must not pass for a locked one (see Read).
    if (m_device.ReadInfo(answer.data()) != MV100::STATUS_OK)
        return MV100::RESULT_OPEN;
    const int version = m_device.GetVersion();
    step();
    if (isLocked(answer))
        return MV100::RESULT_LOCKED;

    setPin(m_device, pin);
    // The chip refuses an erase with a wrong PIN through the error flag; everything sent after
    // it would then be refused as well, and the write would end as a false success.
    answer = prefilledAnswer();
    const int erased = m_device.Erase(answer.data());
    if (erased != MV100::STATUS_OK || answer[ERASE_ANSWER_FLAG] != 0) {
        // Sent but not answered, the erase may have been carried out all the same.
        m_lastAnswerLost = erased == MV100::STATUS_READ_FAILED;
        return MV100::RESULT_ERASE;
    }
    step();

    // After an erase the chip has the factory PIN.
    m_device.SetPin(MV100_PIN::BYTES.data(), MV100_PIN::BYTES.size());
    if (m_device.WriteLed(s.lockKeys, s.led.data(), s.backlight.data(), answer.data())
        != MV100::STATUS_OK)
        return MV100::RESULT_LED;
    step();
    if (m_device.WriteMouse(mouse.data(), answer.data()) != MV100::STATUS_OK)
        return MV100::RESULT_MOUSE;
    step();
    if (m_device.WriteCustomBytes(customData.data(), answer.data()) != MV100::STATUS_OK)
        return MV100::RESULT_CUSTOM_DATA;
    step();

    m_device.SetMemory(MemoryImage::build(config));
    int status;
    {
        const BlockProgress blocks(m_device, m_progress);
        status = m_device.WriteMemoryData();
    }
    if (status != MV100::STATUS_OK)
        return MV100::RESULT_MEMORY;

    if (knowsDebounce(version)
        && m_device.WriteDebounce(s.debounce, answer.data()) != MV100::STATUS_OK)
        return MV100::RESULT_DEBOUNCE;
    step();
    const int pinStatus
        = m_device.WriteNewPin(MV100_PIN::BYTES.data(), newPin.data(), answer.data());
    if (pinStatus != MV100::STATUS_OK) {
        m_lastAnswerLost = pinStatus == MV100::STATUS_READ_FAILED;
        return MV100::RESULT_NEW_PIN;
    }
    step();
    if (lock) {
        // Locked with the PIN the chip has from now on.
        setPin(m_device, newPin);
        const int lockStatus = m_device.WriteLock(answer.data());
        if (lockStatus != MV100::STATUS_OK) {
            m_lastAnswerLost = lockStatus == MV100::STATUS_READ_FAILED;
            return MV100::RESULT_LOCK;
        }
    }
    step();
    return MV100::RESULT_SUCCESS;
}

Mv100Transfer::EraseOutcome Mv100Transfer::Erase(const PinBytes &pin, std::uint8_t *detail)
{
    setPin(m_device, pin);
    Answer answer = prefilledAnswer();
    if (m_device.Erase(answer.data()) != MV100::STATUS_OK)
        return EraseOutcome::NoAnswer;
    if (answer[ERASE_ANSWER_FLAG] != 0) {
        if (detail != nullptr)
            *detail = answer[ERASE_ANSWER_DETAIL];
        return EraseOutcome::Refused;
    }
    return EraseOutcome::Done;
}

bool Mv100Transfer::Info(Mv100DeviceInfo &info)
{
    Answer answer {};
    if (m_device.ReadInfo(answer.data()) != MV100::STATUS_OK)
        return false;
    info = infoOf(answer, m_device.GetVersion());
    return true;
}
