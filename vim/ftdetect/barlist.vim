" Decks of barlist card images.
autocmd BufRead,BufNewFile *.deck setfiletype barlist
