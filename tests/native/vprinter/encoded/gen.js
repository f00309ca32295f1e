// Makes the receipt fixtures beside this file with two ESC/POS encoders from
// npm (run in a scratch folder where both are installed, see README.md).
const fs = require('fs');
const path = require('path');
const ReceiptPrinterEncoder = require('@point-of-sale/receipt-printer-encoder');
const receiptline = require('receiptline');

const out = (name, bytes) => fs.writeFileSync(path.join(__dirname, name), Buffer.from(bytes));

// A 64 x 64 picture: a black square with a white cross.
const pixels = new Uint8ClampedArray(64 * 64 * 4);
for (let y = 0; y < 64; y++) {
  for (let x = 0; x < 64; x++) {
    const black = !(Math.abs(x - 32) < 4 || Math.abs(y - 32) < 4);
    pixels.set(black ? [0, 0, 0, 255] : [255, 255, 255, 255], (y * 64 + x) * 4);
  }
}
const picture = { width: 64, height: 64, data: pixels };

const encoder = new ReceiptPrinterEncoder({ language: 'esc-pos', columns: 48, imageMode: 'raster' });
out('encoder-a.bin', encoder.initialize().codepage('cp437')
  .align('center').line('CORNER CAFE')
  .align('left')
  .table([{ width: 36, align: 'left' }, { width: 12, align: 'right' }],
         [['Coffee', '3.20'], ['Croissant', '2.50'], ['Total', '5.70']])
  .qrcode('https://example.invalid/r/1001', 2, 6, 'm')
  .barcode('4006381333931', 'ean13', 80)
  .image(picture, 64, 64, 'threshold')
  .newline().cut().encode());

const doc = `^^CORNER CAFE
Coffee | 3.20
Croissant | 2.50
Total | 5.70
{code:https://example.invalid/r/1002; option:qrcode,6,m}
{code:4006381333931; option:ean,hri}
=`;
out('encoder-b.bin', Buffer.from(receiptline.transform(doc, { cpl: 48, encoding: 'cp437', command: 'escpos' }), 'binary'));
