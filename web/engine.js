// The one place that knows the WebAssembly module (src/platform/web): what the page calls
// in it, the shape of the host object it calls back (HostCalls.cpp), and how lines and
// text cross between the two. The session sees only a function that plays one game with
// a seed and its handlers: read() to a line or null, write(text), clear(), waitForKey(),
// colours() and position(level, x, y, kind).

// Resolves to the engine once `createModule` (the loader's createVellumfall) has made the
// module.
export async function loadEngine(createModule) {
  const encoder = new TextEncoder();
  // The handlers of the game under way, and its decoder, which holds a letter cut in two.
  let game = null;
  let decoder = null;
  const host = {
    // The facts of the page's terminal, from which the module decides what to do: a
    // terminal at both ends, which shows the game's effects itself.
    isTerminal: () => true,
    environment: () => undefined,
    showsEffects: true,
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
    return module.ccall('run', 'number', ['number', 'array'], [0, new Uint8Array(0)],
                        { async: true });
  };
}
