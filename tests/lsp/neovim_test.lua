-- barlist-lsp in Neovim 0.7, headless: diagnostics at their columns (after
-- a letter of two bytes too), hover, a quick fix applied and formatting (the
-- last two on the test engine whose findings carry fixes).
--   nvim --headless --clean -c "luafile neovim_test.lua" -- SERVER FAKE_SERVER FOLDER
local server, fake, folder = unpack(vim.fn.argv())
local failures = {}
local function check(what, got, want)
  if not vim.deep_equal(got, want) then
    table.insert(failures, what .. ': got ' .. vim.inspect(got) .. ', want ' .. vim.inspect(want))
  end
end

local function attached(script, file)
  vim.cmd('edit ' .. folder .. '/' .. file)
  local buffer = vim.api.nvim_get_current_buf()
  local client = vim.lsp.start_client({ cmd = { 'node', script }, name = 'barlist-lsp', root_dir = folder })
  vim.lsp.buf_attach_client(buffer, client)
  vim.wait(10000, function() return #vim.diagnostic.get(buffer) > 0 end, 20)
  return buffer, client
end

local function run()
  -- Diagnostics: 0-based lines and byte columns, as Neovim keeps them.
  local buffer = attached(server, 'slips.deck')
  local places = {}
  for _, d in ipairs(vim.diagnostic.get(buffer)) do
    table.insert(places, { d.lnum, d.col, d.severity, d.message:match('^[^:]*') })
  end
  table.sort(places, function(a, b) return a[1] < b[1] end)
  check('diagnostics', places, {
    { 4, 6, vim.diagnostic.severity.WARN, 'warning' },
    { 4, 17, vim.diagnostic.severity.WARN, 'warning' },
    { 9, 12, vim.diagnostic.severity.WARN, 'warning' },
  })

  -- Hover on the unit count, after the Ü: columns 18-19 of the card.
  vim.api.nvim_win_set_cursor(0, { 5, 17 })
  local hover = vim.lsp.buf_request_sync(buffer, 'textDocument/hover', vim.lsp.util.make_position_params(), 5000)
  local text = hover and next(hover) and hover[next(hover)].result.contents.value or ''
  check('hover', text:match('columns 18%-19: reads `3`') ~= nil and text:match('unit card') ~= nil, true)

  -- A quick fix and formatting on the test engine's deck.
  local fixed = attached(fake, 'fixes.deck')
  vim.api.nvim_win_set_cursor(0, { 2, 0 })
  local params = vim.lsp.util.make_range_params()
  params.context = { diagnostics = {}, only = { 'quickfix' } }
  local answers = vim.lsp.buf_request_sync(fixed, 'textDocument/codeAction', params, 5000) or {}
  local actions = answers[next(answers)] and answers[next(answers)].result or {}
  check('quick fixes', #actions, 2)
  if actions[1] then vim.lsp.util.apply_workspace_edit(actions[1].edit, 'utf-16') end
  check('quick fix applied', vim.api.nvim_buf_get_lines(fixed, 1, 2, false), { 'Fü1 ab' })
  vim.lsp.buf.formatting_sync(nil, 5000)
  check('formatted', vim.api.nvim_buf_get_lines(fixed, 0, -1, false), { 'F  12yy', 'Fü1 ab', 'G', 'F   7' })
end

local ran, problem = pcall(run)
if not ran then table.insert(failures, tostring(problem)) end
if #failures > 0 then
  io.stderr:write(table.concat(failures, '\n') .. '\n')
  vim.cmd('cquit 1')
end
io.stdout:write('neovim: 5 passed, 0 failed\n')
vim.cmd('qall!')
