// Mv100Transfer: the device operations Read, Write, Erase and Get Info on configuration values,
// over one opened chip. No widgets: the window turns the results into its boxes.
#pragma once

#include "CMorvantide100.h"
#include "Mv100Config.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>

// What the info command tells about a chip.
struct Mv100DeviceInfo
{
    std::array<std::uint8_t, MV100::CUSTOM_DATA_SIZE> customData {};
    bool locked = false;
    std::uint16_t eraseCount = 0;
    std::uint32_t serial = 0;
    int version = 0; // the firmware release as GetVersion gives it

    // As the info tab and mv100ctl show them: "0012abcd", "0105".
    QString serialText() const { return QString::asprintf("%08x", unsigned(serial)); }
    QString firmwareText() const { return QString::asprintf("%04X", unsigned(version) & 0xFFFF); }
};

class Mv100Transfer
{
public:
    using PinBytes = std::array<std::uint8_t, MV100::PIN_SIZE>;
    // Called once per finished step: every command, and every block of the memory image.
    using Progress = std::function<void()>;

    static constexpr int READ_COMMANDS = 4; // info, mouse, LED, debounce
    static constexpr int WRITE_COMMANDS = 8; // info, erase, LED, mouse, custom data, debounce,
                                             // new PIN, lock
    static constexpr int READ_STEPS = READ_COMMANDS + MV100::BLOCK_COUNT;
    static constexpr int WRITE_STEPS = WRITE_COMMANDS + MV100::BLOCK_COUNT;

    // What an erase answered.
    enum class EraseOutcome { Done, NoAnswer, Refused };

    explicit Mv100Transfer(Progress progress = {});
    ~Mv100Transfer();
    Mv100Transfer(const Mv100Transfer &) = delete;
    Mv100Transfer &operator=(const Mv100Transfer &) = delete;

    // Opens the configuration interface; false unless exactly one chip was found.
    bool Open();
    void Close();

    // Reads the chip into config: its key layers, macros, custom data, mouse, lock keys, LED,
    // backlight and (where the firmware has it) debounce settings; the new PIN and the lock mode
    // stay. config and info change only when every read succeeded. Result codes as MV100::Result.
    unsigned short Read(const PinBytes &pin, Mv100Config &config, Mv100DeviceInfo *info = nullptr);
    // Erases the chip and writes config into it; lock = lock it afterwards with the new PIN.
    unsigned short Write(const Mv100Config &config, const PinBytes &pin, bool lock);
    // Reads everything back (the 248 blocks, custom data, LED, mouse and, where the firmware has
    // it, debounce) and compares it with what Write sends for config. The result of the reads;
    // on success *difference names the first thing that differs, empty when none does.
    unsigned short Verify(const Mv100Config &config, const PinBytes &pin, QString *difference);
    // True when the last successful Read gave a memory image and settings of zeros only, as a
    // chip answers a wrong PIN.
    bool lastReadAllZero() const { return m_lastReadAllZero; }
    // True when the last Write failed because the erase, the new PIN or the lock was sent but
    // not answered: the chip may have carried it out.
    bool lastAnswerLost() const { return m_lastAnswerLost; }
    // The erase command alone; detail = the chip's reason when refused.
    EraseOutcome Erase(const PinBytes &pin, std::uint8_t *detail);
    // The info command alone.
    bool Info(Mv100DeviceInfo &info);

    // The PIN digits of a text, zeros for what it leaves out (the window admits 16 digits).
    static PinBytes pinBytes(const QString &text);
    // The new PIN of the PIN tab as Write stores it on the chip: what the text leaves out stays
    // 0xFF. Verify reads back with this one.
    static PinBytes newPinBytes(const QString &text);
    // True when a firmware version knows the debounce commands.
    static bool knowsDebounce(int version);

    CMorvantide100 &device() { return m_device; }

private:
    struct RawRead;
    // The reads of Read and Verify; stops at the first that fails, with its result code.
    unsigned short ReadRaw(const PinBytes &pin, RawRead &raw);
    void step();

    CMorvantide100 m_device;
    Progress m_progress;
    bool m_lastReadAllZero = false;
    bool m_lastAnswerLost = false;
};
