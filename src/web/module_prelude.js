// Runs first inside the module's factory. In an ES module under node there is no
// __dirname, which the loader reads to locate its files; the WebAssembly is carried
// inside the module, so no file is ever located.
var __dirname = typeof __dirname === 'string' ? __dirname : '.';
