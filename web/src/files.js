// Opening a deck (file picker or drag and drop) and saving files: the deck as
// edited, and the reports and exports byte for byte as the engine wrote them.

export function download(name, bytes, type = 'application/octet-stream') {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

async function readDeck(file) {
  const bytes = new Uint8Array(await file.arrayBuffer());
  return new TextDecoder('utf-8').decode(bytes);
}

// Calls `open(name, text)` for a file chosen with `input` or dropped on `zone`.
export function acceptDecks(input, zone, open) {
  input.addEventListener('change', async () => {
    const [file] = input.files;
    if (file) open(file.name, await readDeck(file));
    input.value = '';
  });
  zone.addEventListener('dragover', (event) => {
    event.preventDefault();
    zone.classList.add('dropping');
  });
  zone.addEventListener('dragleave', () => zone.classList.remove('dropping'));
  zone.addEventListener('drop', async (event) => {
    event.preventDefault();
    zone.classList.remove('dropping');
    const [file] = event.dataTransfer.files;
    if (file) open(file.name, await readDeck(file));
  });
}
