// The face a board shows to everything that drives it: the game programs'
// frame, the screen savers, the headless runner, the tests and the
// benchmarks. One BoardFace per board or edition, each defined in one file of
// its board's directory (boards/<game>/<game>_board.cpp) and listed in
// BoardTable (boards/board_table.cpp). Nothing outside boards/<game>/ needs
// more of a board than this.
//
// Driving a board through its face:
//   face.buildEmbedded(error) or face.buildFromImages(images, error)
//   face.applySettings(options)           DIP switches from the game settings
//   face.attachSound(seam), face.installScoreTraps(handlers)   when wanted
//   face.reset()
//   per frame: face.setControls(bits) / face.insertCoin() / face.pressStart(...)
//              face.runFrame(hooks)       (hooks.render calls face.render(turned))
//   face.picture(turned) with face.gamePalette for the pens
// Every call expects the caller to hold the frame mutex (where there is one).
// The board keeps its state as plain global data: one machine per process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "boards/sound_seam.h"

namespace boards {

// One image of the board's game data, by its manifest's file name.
struct ImageFile {
    const char* name;
    size_t size; // exact size in bytes
};

// Bytes of one image; they must stay valid for as long as the board runs.
using ImageBytes = std::span<const uint8_t>;

// A picture in the board's frame buffer: one palette index per byte.
struct Picture {
    const uint8_t* pixels; // top-left pixel
    int width;
    int height;
    ptrdiff_t pitch;
};

// A colour laid out like a Windows palette entry.
struct Colour {
    uint8_t red, green, blue, flags;
};

// The platform's steps inside one frame; a null hook is skipped.
struct FrameHooks {
    // Starts the board's one-shot sound tick (soundTick below) and returns
    // true; false when none was started. Only boards with a sound tick call it.
    bool (*startSoundTick)();
    void (*waitSoundTick)(); // waits for the tick started in this frame
    void (*pollInput)();     // the joystick poll, while one is in use
    void (*present)();       // shows the picture rendered in the previous frame
    void (*render)();        // draws the next picture: face.render(turned) and any composition
    // The platform's performance counter now; null: there is none. Boards
    // with a frame-rate meter read it once a frame while the meter is on.
    uint64_t (*performanceCounter)();
};

// Calls a hook (a platform step, a trap handler) when there is one.
inline void RunHook(void (*hook)()) {
    if (hook) hook();
}

// A frame's render step: the platform's render hook, or the board's own
// renderer where the platform gives none.
inline void RenderStep(const FrameHooks& hooks, void (*boardRender)()) {
    (hooks.render ? hooks.render : boardRender)();
}

// Where the board's ROM code calls the host for its high scores: the board
// patches its traps into its program copy and installs its CPU's hook, which
// calls load or save with the frame mutex held and then lets the game go on.
struct ScoreTrapHandlers {
    void (*load)(); // the game is about to copy its built-in table into RAM
    void (*save)(); // the game has just updated its table in RAM
};

struct BoardFace {
    // --- Identity and game data ---
    const char* name;                  // short name: "zarkolt", "superzar", ...
    std::span<const ImageFile> images; // the manifest's images, in its order
    // Builds the board from the game data linked into the program (null when
    // none is), or from images given in `images` order. False with a message
    // when an image is missing or wrongly sized; nothing is built then. A
    // build leaves the machine stopped until reset().
    bool (*buildEmbedded)(std::string& error);
    bool (*buildFromImages)(std::span<const ImageBytes> images, std::string& error);

    // --- Machine ---
    void (*reset)(); // the machine reset (the board's ResetMachine)
    // The game settings that reach the board's switches, as the description's
    // "Configuration" codec lists them (indices of the settings dialog's choices).
    void (*applySettings)(std::span<const uint32_t> options);
    // One emulated frame with the platform's hooks.
    void (*runFrame)(const FrameHooks& hooks);
    uint32_t frameMilliseconds; // the period of the frame timer
    // The second sound update of a frame, run on the timer's thread by the
    // one-shot tick that hooks.startSoundTick starts; null: no sound tick.
    void (*soundTick)();
    uint32_t soundTickMilliseconds;

    // --- Picture ---
    // The frame buffer the board renders into: frameWidth x frameHeight bytes,
    // top-down, rows frameWidth apart; the caller owns it (a GDI DIB section
    // in the programs). The picture lies at (pictureLeft, pictureTop).
    void (*setFrameBuffer)(uint8_t* pixels);
    int frameWidth, frameHeight;
    int pictureLeft, pictureTop;
    int pictureWidth, pictureHeight; // as the window shows it; turned: swapped
    bool canTurn;                    // has a picture turned a quarter turn (320 x 240 full screen)
    // Composes a 320 x 240 full screen of its plain picture (a landscape
    // picture that fits it unturned): composeFullScreen's `turned` then asks
    // for that screen and setTurned is never called.
    bool smallScreen = false;
    // Prepares the graphics for the turned or the plain picture.
    void (*setTurned)(bool turned);
    void (*render)(bool turned);
    Picture (*picture)(bool turned);
    // The game's colours: penCount pens from firstPen on.
    int firstPen, penCount;
    void (*gamePalette)(Colour* pens);
    // The full-screen palette from the instruction card bitmap's colour
    // table (blue, green, red, reserved per entry), and the 256 entries.
    void (*buildCardPalette)(const uint8_t* colourTable, size_t entries);
    void (*cardPalette)(Colour* entries);
    // The full-screen picture over (pointer, pitch): the plain one onto the
    // 640 x 480 surface with the instruction card's 640 x 480 pixels beneath
    // (card null: the surface keeps what it has), the turned one onto a
    // 320 x 240 surface filled with 0 first.
    void (*composeFullScreen)(uint8_t* surface, ptrdiff_t pitch, const uint8_t* card, ptrdiff_t cardPitch,
                              bool turned);

    // --- Controls ---
    // The host input bits the board reads each frame: bit i is controls[i].
    const char* const* controls;
    int controlCount;
    uint32_t (*controlBits)();
    void (*setControls)(uint32_t bits);
    // A coin and a start as one push each: where the board keeps the
    // credits, under its own credit rules; where the game counts them from
    // its coin and start controls, as short pulses of them (for the runner,
    // the tests and the savers: the programs' keys hold the controls).
    // insertCoin: one coin; pressStart: a start asking for `needed` credits
    // and taking up to `most`; true when the board took it. Null: none.
    void (*insertCoin)();
    bool (*pressStart)(uint32_t needed, uint32_t most);
    // Called for every key message before its handler; false drops the key
    // (the board is not taking keys now). Null: every key is taken.
    bool (*beforeKey)();
    // A control's key message straight to the board, where the board has
    // rules of its own for presses, auto-repeat and releases: control is the
    // index into controls, flags the message's high word (bit 14 the
    // auto-repeat), pressed 1 or 0. Null: the frame sets and clears the
    // control's bit through setControls.
    void (*controlKey)(int control, uint16_t flags, uint32_t pressed);

    // --- Test mode (null where the board has none) ---
    bool (*testMode)();
    void (*setTestMode)(bool on);
    bool testModeResets; // turning it on resets the machine

    // --- Sound ---
    // The buffers the board plays; the host creates them in this order and
    // hands the seam to attachSound (null: no device, the board is silent).
    std::span<const SoundBufferSpec> (*soundBuffers)();
    void (*attachSound)(const SoundSeam* seam);
    void (*setSoundMute)(bool mute); // the user's sound switch
    void (*silence)();               // every voice and sample stopped

    // --- High scores ---
    // The score table the record "Score" keeps (without its check byte).
    uint32_t scoreSize;
    void (*scoresOut)(uint8_t* table);      // RAM -> table
    void (*scoresIn)(const uint8_t* table); // table -> RAM
    void (*defaultScores)(uint8_t* table);  // the game's built-in table
    // Patches the traps into the program copy and installs the CPU's hook
    // (the Z80 trap hook, or the 6809's trap or breakpoint hook).
    void (*installScoreTraps)(const ScoreTrapHandlers& handlers);

    // --- Frame-rate meter (null where the board has none) ---
    // Starts the meter drawn over the picture from the platform's counter:
    // queried, whether the frequency query succeeded; frequency and now, its
    // results. False: the meter stays off (the program tells the user once).
    bool (*startRateMeter)(bool queried, uint64_t frequency, uint64_t now);

    // --- Headless runs ---
    // A byte as the board's first CPU reads it at address (no side effects).
    uint8_t (*peek)(uint32_t address);
    // The voices after the frame just run, as one line of text; started: bit
    // b set when buffer b was asked to play during the frame.
    std::string (*voiceLine)(uint32_t started);

    // --- Screen savers ---
    // Builds the board from its embedded game data as the screen saver runs
    // it: no settings applied and no traps, and the inputs of nobody playing
    // refreshed each frame, so the game stays in its attract mode. Stopped
    // until reset(), as buildEmbedded leaves it. Null: the board has no saver.
    bool (*buildAttract)(std::string& error);
};

// Every board, for the runner and the tests.
extern const std::span<const BoardFace* const> BoardTable;
const BoardFace* FindBoard(const std::string& name);

} // namespace boards
