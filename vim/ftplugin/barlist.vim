" A barlist deck: 80-column card images, checked by :make.
if exists('b:did_ftplugin')
  finish
endif
let b:did_ftplugin = 1

" Columns count in characters: a tab is one column, so keep tabs out.
setlocal colorcolumn=80 expandtab textwidth=0 nowrap
compiler barlist

let b:undo_ftplugin = 'setlocal colorcolumn< expandtab< textwidth< wrap< makeprg< errorformat<'
