// The one place that knows the WebAssembly module (src/platform/web): what the page calls
// in it, the shape of the host object it calls back (HostCalls.cpp, HostSaveFiles.cpp), and
// how lines, text and saves cross between the two. The session sees an engine with two
// calls: play(how, handlers) plays one game to its end, and check(bytes) says why a save
// file cannot be used ('' when it can). `how` is {} for a new game, { resume: true } for
// the saved game, { file } for the save file named `file`, or { undo: true } for the saved
// game without its last line. The handlers: read() to a line or null, write(text),
// error(text) for what the game says on standard error, clear(), waitForKey(), colours(),
// position(level, x, y, kind), and readFile(name) to the text of a save or null,
// replaceFile(name, text) and removeFile(name) for the game's own save.

// The name the game gives its save, in what it says and in the file Export save downloads.
export const kSaveName = 'vellumfall.save';

// Resolves to the engine once `createModule` (the loader's createVellumfall) has made the
// module; `options` go to the loader too.
export async function loadEngine(createModule, options = {}) {
  const encoder = new TextEncoder();
  // The handlers of the game under way, and the decoders of its two streams, which hold a
  // letter cut in two.
  let game = null;
  let decoders = null;
  const host = {
    // The facts of the page's terminal, from which the module decides what to do: a
    // terminal at both ends, which shows the game's effects itself and keeps its save.
    isTerminal: () => true,
    environment: () => undefined,
    showsEffects: true,
    autosaveName: kSaveName,
    read: () => game.read().then((line) => (line === null ? null : encoder.encode(`${line}\n`))),
    write: (stream, bytes) => {
      const text = decoders[stream].decode(bytes, { stream: true });
      return stream === 2 ? game.error(text) : game.write(text);
    },
    setColours: () => game.colours(),
    // The log keeps its colours, as a terminal keeps the text it has shown.
    resetColours: () => {},
    clearScreen: () => game.clear(),
    waitForKey: () => game.waitForKey(),
    showPosition: (level, x, y, kind) => game.position(level, x, y, kind),
    // A save is UTF-8 text, which the page keeps as a string.
    readFile: (name, limit) => {
      const text = game.readFile(name);
      return text === null ? null : encoder.encode(text).subarray(0, limit + 1);
    },
    replaceFile: (name, bytes) => game.replaceFile(name, new TextDecoder().decode(bytes)),
    removeFile: (name) => game.removeFile(name),
  };
  const module = await createModule({ host, ...options });
  const call = (name, types, values) => module.ccall(name, 'number', types, values,
                                                     { async: true });
  return {
    play(how, handlers) {
      game = handlers;
      decoders = { 1: new TextDecoder(), 2: new TextDecoder() };
      if (how.undo) {
        return call('undo', [], []);
      }
      const words = how.file !== undefined ? ['--continue', how.file]
        : how.resume ? ['--continue'] : [];
      return call('run', ['number', 'array'],
                  [words.length, encoder.encode(words.map((word) => `${word}\0`).join(''))]);
    },
    // Called straight, not through ccall, which would wait for a game under way to end:
    // the check itself never waits.
    check: (bytes) => {
      const copy = module._malloc(bytes.length);
      try {
        module.HEAPU8.set(bytes, copy);
        return module.UTF8ToString(module._checkSave(copy, bytes.length));
      } finally {
        module._free(copy);
      }
    },
  };
}
