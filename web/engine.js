// The one place that knows the WebAssembly module (src/platform/web): what the page calls
// in it, the shape of the host object it calls back (HostCalls.cpp), and how lines and
// text cross between the two. The session sees only a function that plays one game with
// a seed and its handlers: read() to a line or null, write(text), clear(), waitForKey(),
// colours() and position(level, x, y, kind).

// All of playGame's bits (src/platform/web/main.cpp): the page is a terminal at both
// ends, with colours.
const kWholeTerminal = 1 | 2 | 4 | 8;

// Resolves to the engine once `createModule` (the loader's createVellumfall) has made the
// module.
export async function loadEngine(createModule) {
  const encoder = new TextEncoder();
  // The handlers of the game under way, and its decoder, which holds a letter cut in two.
  let game = null;
  let decoder = null;
  const host = {
    read: () => game.read().then((line) => (line === null ? null : encoder.encode(`${line}\n`))),
    write: (stream, bytes) => game.write(decoder.decode(bytes, { stream: true })),
    setColours: () => game.colours(),
    // The log keeps its colours, as a terminal keeps the text it has shown.
    resetColours: () => {},
    clearScreen: () => game.clear(),
    waitForKey: () => game.waitForKey(),
    showPosition: (level, x, y, kind) => game.position(level, x, y, kind),
  };
  const module = await createModule({ host });
  return (seed, handlers) => {
    game = handlers;
    decoder = new TextDecoder();
    module.ccall('useSeed', null, ['number'], [seed]);
    return module.ccall('playGame', 'number', ['number'], [kWholeTerminal], { async: true });
  };
}
