" A barlist deck: the card kind in column 1 coloured, comment cards as
" comments, and anything past column 80 marked, since barlist never reads it.
if exists('b:current_syntax')
  finish
endif

syntax match barlistProblem /^\*.*/
syntax match barlistUnit /^U/
syntax match barlistBar /^[ 0]/
syntax match barlistStore /^[SR]/
syntax match barlistOther /^[VWTK]/
syntax match barlistEnd /^Z.*/
syntax match barlistComment /^C.*/
syntax match barlistUnread /\%>80v.\+/

highlight default link barlistProblem Title
highlight default link barlistUnit Statement
highlight default link barlistBar Constant
highlight default link barlistStore Type
highlight default link barlistOther Identifier
highlight default link barlistEnd PreProc
highlight default link barlistComment Comment
highlight default link barlistUnread Error

let b:current_syntax = 'barlist'
