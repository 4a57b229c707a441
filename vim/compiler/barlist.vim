" :make checks the deck with barlist, writing no report, and fills the
" quickfix list with its errors, warnings and notes.
if exists('current_compiler')
  finish
endif
let current_compiler = 'barlist'

" The continued lines below need line continuation, off in compatible mode.
let s:cpo_save = &cpo
set cpo&vim

CompilerSet makeprg=barlist\ --check\ --no-caret\ %:S
CompilerSet errorformat=
      \%f:%l:%c:\ fatal\ %trror:\ %m,
      \%f:%l:%c:\ %trror\ %n:\ %m,
      \%f:%l:%c:\ %trror:\ %m,
      \%f:%l:%c:\ %tarning:\ %m,
      \%f:%l:%c:\ %tote:\ %m,
      \%f:%l:\ %trror:\ %m,
      \%f:%l:\ %tote:\ %m,
      \%-G%.%#

let &cpo = s:cpo_save
unlet s:cpo_save
